#include "DemoScene.h"
#include "Renderer.h"

#include <benchmark/benchmark.h>

using namespace vellum::viewport;

namespace {

void renderDemo(benchmark::State& state, int antiAliasing)
{
    const RenderScene scene = makeDemoScene();
    const RenderCamera camera = makeDemoCamera();
    Renderer renderer;
    renderer.render(scene, camera, QSize(640, 480), antiAliasing); // sizes the buffers
    for (auto _ : state) {
        const QImage& image = renderer.render(scene, camera, QSize(640, 480), antiAliasing);
        benchmark::DoNotOptimize(image.constBits());
    }
}

void BM_RenderSyntheticScene_640x480(benchmark::State& state)
{
    renderDemo(state, 0);
}

void BM_RenderSyntheticScene_640x480_AA4(benchmark::State& state)
{
    renderDemo(state, 4);
}

} // namespace

BENCHMARK(BM_RenderSyntheticScene_640x480)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RenderSyntheticScene_640x480_AA4)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
