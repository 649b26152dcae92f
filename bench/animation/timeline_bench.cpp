// Rebuilding, painting and editing the timeline grid, over the reference scene graph.
#include "Animation.h"
#include "FlexGrid.h"
#include "ModuleState.h"
#include "PanelWidgets.h"
#include "TimelineGrid.h"
#include "TrackBar.h"
#include "XPButton.h"

#include <QCoreApplication>
#include <QImage>
#include <QMouseEvent>
#include <benchmark/benchmark.h>
#include <sg/AnimationCommands.h>
#include <sg/ApplicationState.h>
#include <sg/Group.h>
#include <sg/Scene.h>
#include <sg/SceneGraph.h>
#include <sg/ShapeKind.h>

using namespace vellum;

namespace {

// 20 selected groups with 500 keys each, in an animation as long as a scene may be unless told.
struct TimelineScene
{
    explicit TimelineScene(int keys = sg::ApplicationState::maxKeys)
    {
        auto settings = graph->applicationState()->AnimationSettings();
        settings.Keys = keys;
        settings.KeysPerSecond = 24.0f;
        graph->applicationState()->setAnimationSettings(settings);
        const auto scene = graph->scene();
        for (int number = 1; number <= 20; ++number) {
            auto group = scene->addGroup(number, QStringLiteral("Group %1").arg(number));
            for (int key = 0; key < 500; ++key) {
                group->setPosition(QVector3D(float(key % 7), float(number), 0.0f));
                group->SetKeyFrame(key % 50 == 0, float(key * 19 + number));
            }
            auto shape = scene->addShape(sg::ShapeKind::Box, QStringLiteral("Box"), group);
            graph->addToSelection(graph->applicationState()->SceneDeviceID(), shape);
        }
    }

    std::shared_ptr<sg::SceneGraph> graph = std::make_shared<sg::SceneGraph>();
};

struct TimelineFixture : TimelineScene
{
    explicit TimelineFixture(int keys = sg::ApplicationState::maxKeys) : TimelineScene(keys)
    {
        animation::bindModule(graph, nullptr);
        widgets.sldFrame->setMax(keys);
        panel.resize(1200, 400);
        // As wide as the panel shows it, so the grid pages as seldom as it does there.
        widgets.msgTimeline->resize(1200, 400);
        grid.TimelineActiveStateChange();
    }
    ~TimelineFixture() { animation::resetModule(); }

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
        frame = (frame + 1) % sg::ApplicationState::maxKeys;
        slider.blockSignals(true);
        slider.setValue(frame);
        slider.blockSignals(false);
        state.ResumeTiming();
        fixture.grid.HighlightTimelineColumn();
    }
}
BENCHMARK(BM_TimelineHighlight);

// The shown part of the grid painted, scrolled to the middle of the animation.
void BM_TimelinePaint(benchmark::State& state)
{
    const int keys = int(state.range(0));
    TimelineFixture fixture(keys);
    fixture.grid.PrepareTimeLine();
    common::FlexGrid& grid = *fixture.widgets.msgTimeline;
    fixture.panel.show();
    grid.setLeftCol(grid.FixedCols() + keys / 2);
    QCoreApplication::processEvents(); // scroll bars settle through queued calls
    QImage image(grid.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        grid.render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_TimelinePaint)
    ->Arg(50)
    ->Arg(sg::ApplicationState::maxKeys)
    ->Unit(benchmark::kMillisecond);

void BM_MoveKeyFrames_20x500(benchmark::State& state)
{
    TimelineFixture fixture;
    sg::AnimationCommands commands;
    const outside::ScenePtr scene = fixture.graph->scene();
    common::FlexGrid& grid = *fixture.widgets.msgTimeline;
    std::int32_t offset = 1;
    for (auto _ : state) {
        for (int number = 1; number <= 20; ++number)
            commands.MoveKeyFrames(scene, number * 100 + 10, grid.FixedCols(), grid.FixedCols(),
                                   grid.Cols() - 2, offset, false);
        fixture.grid.ReloadTimelineKeyFrames();
        offset = -offset;
    }
}
BENCHMARK(BM_MoveKeyFrames_20x500)->Unit(benchmark::kMillisecond);

// The whole panel, shown: the drag goes through the grid's mouse handling and the panel's
// drag-over handler, and the visible part is painted again.
void BM_TimelineDragOver_10000x20(benchmark::State& state)
{
    TimelineScene scene;
    animation::Animation control;
    control.resize(1400, 600);
    control.show();
    control.SetSceneGraph(scene.graph, nullptr);
    control.SetupPanel();
    control.SetModePrepare(outside::ModeAnimation);
    control.findChild<common::XPButton*>(QStringLiteral("chkAnimationTimeline"))->click();
    control.TimelineActiveStateChange();
    auto& grid = *control.findChild<common::FlexGrid*>(QStringLiteral("msgTimeline"));
    QWidget* viewport = grid.viewport();
    const auto send = [&](QEvent::Type type, Qt::MouseButtons held, QPoint at) {
        QMouseEvent event(type, at, viewport->mapToGlobal(at),
                          type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &event);
    };
    // A block of every row and 500 frames from the first on show; the hover saves it.
    const int left = grid.LeftCol();
    grid.setRow(1);
    grid.setCol(left);
    grid.setRowSel(20);
    grid.setColSel(left + 499);
    const QPoint grip = grid.cellRect(1, left + 2).center();
    const QPoint nextColumn = grid.cellRect(1, left + 3).center();
    send(QEvent::MouseMove, Qt::NoButton, grip);
    send(QEvent::MouseButtonPress, Qt::LeftButton, grip);
    QCoreApplication::processEvents();
    bool right = true;
    for (auto _ : state) {
        send(QEvent::MouseMove, Qt::LeftButton, right ? nextColumn : grip);
        QCoreApplication::processEvents(); // the repaint
        right = !right;
    }
    state.counters["block_left"] = grid.Col();
    send(QEvent::MouseButtonRelease, Qt::NoButton, grip);
    control.SetSceneGraph(nullptr, nullptr);
    animation::resetModule();
}
BENCHMARK(BM_TimelineDragOver_10000x20)->Unit(benchmark::kMillisecond);

} // namespace
