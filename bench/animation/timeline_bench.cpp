// Rebuilding the timeline grid and moving its highlight, over the reference scene graph.
#include "FlexGrid.h"
#include "ModuleState.h"
#include "PanelWidgets.h"
#include "TimelineGrid.h"
#include "TrackBar.h"

#include <benchmark/benchmark.h>
#include <sg/ApplicationState.h>
#include <sg/Group.h>
#include <sg/Scene.h>
#include <sg/SceneGraph.h>
#include <sg/ShapeKind.h>

using namespace vellum;

namespace {

// Keys = 10,000 and 20 selected groups with 500 keys each.
struct TimelineFixture
{
    TimelineFixture()
    {
        auto settings = graph->applicationState()->AnimationSettings();
        settings.Keys = 10000;
        settings.KeysPerSecond = 24.0f;
        graph->applicationState()->setAnimationSettings(settings);
        const auto scene = graph->scene();
        for (int number = 1; number <= 20; ++number) {
            auto group = scene->addGroup(number, QStringLiteral("Group %1").arg(number));
            for (int key = 0; key < 500; ++key) {
                group->setPosition(QVector3D(float(key % 7), float(number), 0.0f));
                group->SetKeyFrame(key % 50 == 0, float(key * 20 + number));
            }
            auto shape = scene->addShape(sg::ShapeKind::Box, QStringLiteral("Box"), group);
            graph->addToSelection(graph->applicationState()->SceneDeviceID(), shape);
        }
        animation::bindModule(graph, nullptr);
        widgets.sldFrame->setMax(10000);
        panel.resize(1200, 400);
        // As wide as the panel shows it, so the grid pages as seldom as it does there.
        widgets.msgTimeline->resize(1200, 400);
        grid.TimelineActiveStateChange();
    }
    ~TimelineFixture() { animation::resetModule(); }

    std::shared_ptr<sg::SceneGraph> graph = std::make_shared<sg::SceneGraph>();
    QWidget panel;
    animation::PanelWidgets widgets = animation::buildPanelWidgets(&panel);
    animation::TimelineGrid grid{widgets};
};

void BM_TimelinePrepare_10000x20(benchmark::State& state)
{
    TimelineFixture fixture;
    for (auto _ : state)
        fixture.grid.PrepareTimeLine();
    state.counters["rows"] = fixture.widgets.msgTimeline->Rows() - 1;
}
BENCHMARK(BM_TimelinePrepare_10000x20)->Unit(benchmark::kMillisecond);

void BM_TimelineHighlight(benchmark::State& state)
{
    TimelineFixture fixture;
    fixture.grid.PrepareTimeLine();
    common::TrackBar& slider = *fixture.widgets.sldFrame;
    int frame = 0;
    for (auto _ : state) {
        state.PauseTiming();
        frame = (frame + 1) % 10000;
        slider.blockSignals(true);
        slider.setValue(frame);
        slider.blockSignals(false);
        state.ResumeTiming();
        fixture.grid.HighlightTimelineColumn();
    }
}
BENCHMARK(BM_TimelineHighlight);

} // namespace
