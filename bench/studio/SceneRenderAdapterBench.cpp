// What playback pays per frame in the studio before the renderer starts: posing the demo scene,
// its operations included, and turning it into a render scene.
#include "DemoScene.h"
#include "SceneRenderAdapter.h"
#include "ViewCameras.h"

#include <benchmark/benchmark.h>
#include <sg/Scene.h>
#include <viewport/Renderer.h>

using namespace vellum;

static void BM_StudioBuildRenderScene(benchmark::State& state)
{
    const auto scene = studio::createDemoScene();
    const auto operations = scene->operationList();
    studio::SceneRenderAdapter adapter;
    int frame = 0;
    for (auto _ : state) {
        for (const auto& group : scene->groupList())
            group->ApplyFrame(float(frame));
        for (const auto& operation : operations)
            operation->applyFrame(float(frame));
        scene->rootGroup()->RefreshTree(true);
        benchmark::DoNotOptimize(adapter.build(*scene));
        frame = (frame + 1) % (studio::demo::Keys + 1);
    }
}
BENCHMARK(BM_StudioBuildRenderScene);

// The demo scene as the perspective view first shows it, rendered into 640 x 480 pixels.
static void renderDemo(benchmark::State& state, int antiAliasing)
{
    const auto scene = studio::createDemoScene();
    studio::SceneRenderAdapter adapter;
    const viewport::RenderScene renderScene = adapter.build(*scene);
    const viewport::RenderCamera camera = studio::defaultPerspectiveCamera();
    viewport::Renderer renderer;
    renderer.render(renderScene, camera, QSize(640, 480), antiAliasing); // sizes the buffers
    for (auto _ : state) {
        const QImage& image = renderer.render(renderScene, camera, QSize(640, 480), antiAliasing);
        benchmark::DoNotOptimize(image.constBits());
    }
}

static void BM_RenderDemo_640x480(benchmark::State& state)
{
    renderDemo(state, 0);
}
BENCHMARK(BM_RenderDemo_640x480)->Unit(benchmark::kMillisecond);

static void BM_RenderDemo_640x480_AA2(benchmark::State& state)
{
    renderDemo(state, 2);
}
BENCHMARK(BM_RenderDemo_640x480_AA2)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
