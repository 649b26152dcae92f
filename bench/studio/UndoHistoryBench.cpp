// Undo in the studio over a scene of 1,000 groups with 20 keys each: the snapshot taken when the
// panel prepares a change, one undo and redo of a key edit with the panel's refresh, and what
// 1,000 key edits leave on the undo stack.
#include "UndoHistory.h"

#include <Animation.h>
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sg/RememberingView.h>
#include <sg/SceneGraph.h>

using namespace vellum;

namespace {

// The studio's panel and history over the scene, in animation mode.
struct UndoBench
{
    UndoBench()
    {
        auto& scene = *graph->scene();
        for (int number = 1; number <= 1000; ++number) {
            auto group = scene.addGroup(number, QStringLiteral("Group %1").arg(number));
            for (int key = 0; key < 20; ++key) {
                group->setPosition(QVector3D(float(key), float(number % 7), 0.0f));
                group->SetKeyFrame(key % 5 == 0, float(key * 5));
            }
        }
        graph->applicationState()->setActiveView(std::make_shared<sg::RememberingView>());
        panel.SetSceneGraph(graph, nullptr);
        panel.SetupPanel();
        panel.SetModePrepare(1);
        history = std::make_unique<studio::UndoHistory>(*graph, panel);
    }
    ~UndoBench() { panel.SetSceneGraph(nullptr, nullptr); }

    // A key edit as the panel makes it: bracketed.
    void editKey(int edit)
    {
        history->prepare();
        graph->scene()->group(1 + edit % 1000)->SetKeyFrame(false, float(3 + edit % 90));
        history->apply();
    }

    std::shared_ptr<sg::SceneGraph> graph = std::make_shared<sg::SceneGraph>();
    animation::Animation panel;
    std::unique_ptr<studio::UndoHistory> history;
};

void BM_UndoSnapshot_1000Groups(benchmark::State& state)
{
    UndoBench bench;
    for (auto _ : state)
        benchmark::DoNotOptimize(sg::AnimationSnapshot::capture(*bench.graph->scene(),
                                                                *bench.graph->applicationState()));
}
BENCHMARK(BM_UndoSnapshot_1000Groups)->Unit(benchmark::kMillisecond);

void BM_UndoRedo_1000Groups(benchmark::State& state)
{
    UndoBench bench;
    bench.editKey(0);
    for (auto _ : state) {
        bench.history->stack().undo();
        bench.history->stack().redo();
    }
}
BENCHMARK(BM_UndoRedo_1000Groups)->Unit(benchmark::kMillisecond);

// Heap growth over 1,000 single-key edits, the stack holding every step.
void BM_UndoStack_1000Edits(benchmark::State& state)
{
    for (auto _ : state) {
        UndoBench bench;
        bench.history->prepare(); // the history's own two snapshots are not the stack's
        bench.history->apply();
        const std::size_t before = mallinfo2().uordblks;
        for (int edit = 0; edit < 1000; ++edit)
            bench.editKey(edit);
        const std::size_t after = mallinfo2().uordblks;
        state.counters["stack_MiB"] = double(after - before) / (1024.0 * 1024.0);
        state.counters["steps"] = bench.history->stack().count();
    }
}
BENCHMARK(BM_UndoStack_1000Edits)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
