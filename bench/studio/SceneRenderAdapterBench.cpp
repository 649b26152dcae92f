// What playback pays per frame in the studio before the renderer starts: posing the demo scene
// and turning it into a render scene.
#include "DemoScene.h"
#include "SceneRenderAdapter.h"

#include <benchmark/benchmark.h>
#include <sg/Scene.h>

using namespace vellum;

static void BM_StudioBuildRenderScene(benchmark::State& state)
{
    const auto scene = studio::createDemoScene();
    studio::SceneRenderAdapter adapter;
    int frame = 0;
    for (auto _ : state) {
        for (const auto& group : scene->groupList())
            group->ApplyFrame(float(frame));
        scene->rootGroup()->RefreshTree(true);
        benchmark::DoNotOptimize(adapter.build(*scene));
        frame = (frame + 1) % (studio::demo::Keys + 1);
    }
}
BENCHMARK(BM_StudioBuildRenderScene);

BENCHMARK_MAIN();
