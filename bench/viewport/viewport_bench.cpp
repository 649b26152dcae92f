#include "MeshBuilders.h"
#include "Renderer.h"

#include <benchmark/benchmark.h>
#include <memory>

using namespace vellum::viewport;

namespace {

RenderItem place(const std::shared_ptr<const RenderMesh>& mesh, const QVector3D& position,
                 const QVector3D& scale, const QColor& colour, float yawDegrees = 0.0f)
{
    RenderItem item;
    item.mesh = mesh;
    item.world.translate(position);
    item.world.rotate(yawDegrees, 0.0f, 1.0f, 0.0f);
    item.world.scale(scale);
    item.colour = colour;
    return item;
}

// A scene the size of a small demo: ground, a handful of primitives, two point lights.
RenderScene makeDemoScene()
{
    const auto box = std::make_shared<const RenderMesh>(makeBox());
    const auto sphere = std::make_shared<const RenderMesh>(makeSphere(32, 16));
    const auto fineSphere = std::make_shared<const RenderMesh>(makeSphere(48, 22));
    const auto cylinder = std::make_shared<const RenderMesh>(makeCylinder(32));
    const auto plane = std::make_shared<const RenderMesh>(makePlane(8));

    RenderScene scene;
    scene.items = {
        place(plane, QVector3D(0, -0.01f, 0), QVector3D(12, 1, 12), QColor(120, 128, 110)),
        place(box, QVector3D(-3, 0.75f, 0), QVector3D(1.5f, 1.5f, 1.5f), QColor(200, 60, 50), 30),
        place(box, QVector3D(2.5f, 0.5f, -2), QVector3D(1, 1, 1), QColor(230, 180, 60), -15),
        place(box, QVector3D(0.5f, 0.25f, 2.5f), QVector3D(2, 0.5f, 0.8f), QColor(90, 140, 210)),
        place(sphere, QVector3D(0, 1, 0), QVector3D(2, 2, 2), QColor(80, 170, 90)),
        place(fineSphere, QVector3D(3.5f, 0.8f, 1.5f), QVector3D(1.6f, 1.6f, 1.6f),
              QColor(220, 220, 230)),
        place(cylinder, QVector3D(-1.5f, 1, -3), QVector3D(1, 2, 1), QColor(170, 90, 200)),
        place(cylinder, QVector3D(-4, 0.4f, 3), QVector3D(1.2f, 0.8f, 1.2f), QColor(60, 190, 190)),
        place(sphere, QVector3D(1.5f, 2.6f, -1), QVector3D(0.7f, 0.7f, 0.7f), QColor(240, 120, 40)),
    };
    scene.lights = {
        RenderLight{QVector3D(6, 9, 7), QColor(255, 246, 230), 0.9f},
        RenderLight{QVector3D(-8, 5, -3), QColor(170, 190, 255), 0.45f},
    };
    return scene;
}

RenderCamera makeDemoCamera()
{
    RenderCamera camera;
    camera.position = QVector3D(0, 4.5f, 11);
    camera.direction = QVector3D(0, 0.6f, 0) - camera.position;
    camera.fieldOfViewDegrees = 45;
    return camera;
}

void BM_RenderSyntheticScene_640x480(benchmark::State& state)
{
    const RenderScene scene = makeDemoScene();
    const RenderCamera camera = makeDemoCamera();
    Renderer renderer;
    renderer.render(scene, camera, QSize(640, 480)); // sizes the buffers
    for (auto _ : state) {
        const QImage& image = renderer.render(scene, camera, QSize(640, 480));
        benchmark::DoNotOptimize(image.constBits());
    }
}

} // namespace

BENCHMARK(BM_RenderSyntheticScene_640x480)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
