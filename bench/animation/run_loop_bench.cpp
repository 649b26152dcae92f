// One iteration of the playback loop in the host's views, over the reference scene graph with
// 1,000 animated groups, the host's handlers connected but doing nothing and nothing rendered.
#include "Animation.h"
#include "QtPlatform.h"
#include "TrackBar.h"
#include "XPButton.h"

#include <benchmark/benchmark.h>
#include <functional>
#include <sg/ApplicationState.h>
#include <sg/Group.h>
#include <sg/RememberingView.h>
#include <sg/Scene.h>
#include <sg/SceneGraph.h>

using namespace vellum;

namespace {

// The loop yields once per iteration: that is where the benchmark counts.
class CountingPlatform : public outside::QtPlatform
{
public:
    void PumpMessages() override { onYield(); }
    std::function<void()> onYield;
};

void addAnimatedGroups(sg::Scene& scene, int count)
{
    for (int number = 1; number <= count; ++number) {
        auto group = scene.addGroup(number, QStringLiteral("Group %1").arg(number));
        for (int key = 0; key < 6; ++key) {
            group->setPosition(QVector3D(float(key), float(number % 9), float(key * number % 5)));
            group->SetKeyFrame(key == 0 || key == 3, float(key * 20));
        }
    }
}

void connectEmptyHandlers(animation::Animation& panel)
{
    using animation::Animation;
    QObject::connect(&panel, &Animation::evtreqButtonsEnable, [] {});
    QObject::connect(&panel, &Animation::evtreqRenderAllViews, [] {});
    QObject::connect(&panel, &Animation::evtReqPrepareForAnimation, [](int&) {});
    QObject::connect(&panel, &Animation::evtReqRestoreFromAnimation, [](int&) {});
    QObject::connect(&panel, &Animation::evtreqAnimateCamera, [](int&) {});
    QObject::connect(&panel, &Animation::evtReqUpdateStatusBar, [](QString&, QString&) {});
    QObject::connect(&panel, &Animation::evtreqUpdateCameraPositions, [](std::int16_t&) {});
}

void BM_RunLoopIteration_1000Groups(benchmark::State& state)
{
    auto platform = std::make_shared<CountingPlatform>();
    outside::setPlatform(platform);
    auto graph = std::make_shared<sg::SceneGraph>();
    addAnimatedGroups(*graph->scene(), 1000);
    auto view = std::make_shared<sg::RememberingView>();
    graph->applicationState()->setActiveView(view);

    animation::Animation panel;
    connectEmptyHandlers(panel);
    panel.SetSceneGraph(graph, nullptr);
    panel.SetupPanel();
    panel.SetModePrepare(1);
    panel.findChild<common::XPButton*>(QStringLiteral("chkAutoRepeat"))->setValue(true);

    platform->onYield = [&] {
        if (!state.KeepRunning())
            panel.HaltAnimation();
    };
    panel.findChild<common::XPButton*>(QStringLiteral("cmdPlay"))->click();

    panel.SetSceneGraph(nullptr, nullptr);
    outside::setPlatform(nullptr);
}
BENCHMARK(BM_RunLoopIteration_1000Groups)->Unit(benchmark::kMicrosecond);

} // namespace
