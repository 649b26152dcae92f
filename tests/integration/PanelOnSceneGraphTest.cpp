// The panel over the reference scene graph. On the timeline grid, with the mouse: blocks of keys
// selected, moved, copied, stretched and deleted; sequences stored, renamed, deleted and put back.
// The script runners with real JavaScript: what the engine reports reaches the user's question
// and the editor, and an edit takes effect.

#include "Animation.h"
#include "FlexGrid.h"
#include "ModuleState.h"
#include "QtPrinters.h"
#include "ScriptedPlatform.h"
#include "Widgets.h"
#include "XPButton.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <sg/ApplicationState.h>
#include <sg/Group.h>
#include <sg/Scene.h>
#include <sg/SceneGraph.h>
#include <sg/ShapeKind.h>

namespace vellum::testing {
namespace {

using namespace Qt::StringLiterals;
using outside::MsgBoxResult;
using Frames = QList<float>;

// Groups "Lead" (keys 0, 10, 20, 30) and "Trail" (keys 0, 20), one shape of each selected: the
// grid's rows 1 and 2. 40 frames, all on show, the timeline open.
class PanelOnSceneGraph : public ::testing::Test
{
protected:
    void SetUp() override
    {
        outside::setPlatform(platform);
        auto settings = graph->applicationState()->AnimationSettings();
        settings.Keys = 40;
        settings.KeysPerSecond = 10.0f;
        graph->applicationState()->setAnimationSettings(settings);
        graph->applicationState()->setMode(outside::ModeAnimation);
        lead = animatedGroup(1, QStringLiteral("Lead"), {0, 10, 20, 30});
        trail = animatedGroup(2, QStringLiteral("Trail"), {0, 20});
        control.resize(1400, 500);
        control.show();
        control.SetSceneGraph(graph, nullptr);
        control.SetupPanel();
        control.SetModePrepare(outside::ModeAnimation);
        widget<common::XPButton>("chkAnimationTimeline").click();
        control.TimelineActiveStateChange();
        QObject::connect(&control, &animation::Animation::evtReqPrepareForSceneChanges,
                         [this] { events << QStringLiteral("prepare"); });
        QObject::connect(&control, &animation::Animation::evtReqApplySceneChanges,
                         [this] { events << QStringLiteral("apply"); });
        platform->clearCalls();
    }
    void TearDown() override
    {
        EXPECT_TRUE(platform->allAnswersUsed());
        control.SetSceneGraph(nullptr, nullptr);
        animation::resetModule();
        outside::setPlatform(nullptr);
    }

    std::shared_ptr<sg::Group> animatedGroup(int number, const QString& name, const Frames& keys)
    {
        auto group = graph->scene()->addGroup(number, name);
        setKeys(*group, keys);
        graph->addToSelection(graph->applicationState()->SceneDeviceID(),
                              graph->scene()->addShape(sg::ShapeKind::Box, name, group));
        return group;
    }
    // Each key holds its frame as the position's x.
    static void setKeys(sg::Group& group, const Frames& keys)
    {
        for (float frame : frames(group))
            group.RemoveKeyFrame(frame);
        for (float frame : keys) {
            group.setPosition(QVector3D(frame, 0, 0));
            group.SetKeyFrame(false, frame);
        }
    }
    static Frames frames(const sg::Group& group)
    {
        Frames result;
        for (const auto& key : group.keyTrack().keys())
            result << key.frame;
        return result;
    }

    template <typename Widget> Widget& widget(const char* name)
    {
        return child<Widget>(control, name);
    }
    void click(const char* name) { widget<common::XPButton>(name).click(); }
    common::FlexGrid& grid() { return widget<common::FlexGrid>("msgTimeline"); }

    QPoint cell(int row, int frame)
    {
        return grid().cellRect(row, frame + grid().FixedCols()).center();
    }
    void mouse(QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held, QPoint at,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget* target = grid().viewport();
        QMouseEvent event(type, at, target->mapToGlobal(at), button, held, modifiers);
        QCoreApplication::sendEvent(target, &event);
    }
    // Come over the grid, press, move through the cells between and release, as a hand does.
    void gesture(QPoint from, QPoint to, Qt::MouseButton button = Qt::LeftButton,
                 Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        mouse(QEvent::MouseMove, Qt::NoButton, Qt::NoButton, from, modifiers);
        mouse(QEvent::MouseButtonPress, button, button, from, modifiers);
        for (int step = 1; step <= 4; ++step)
            mouse(QEvent::MouseMove, Qt::NoButton, button, from + (to - from) * step / 4,
                  modifiers);
        mouse(QEvent::MouseButtonRelease, button, Qt::NoButton, to, modifiers);
    }
    void selectBlock(int fromFrame, int toFrame, int topRow = 1, int bottomRow = 2)
    {
        // A press inside the block from before would drag it: a click elsewhere ends it first.
        const int left = std::min(grid().Col(), grid().ColSel()) - grid().FixedCols();
        const int right = std::max(grid().Col(), grid().ColSel()) - grid().FixedCols();
        int spare = 0;
        while ((spare >= left && spare <= right) || spare == fromFrame)
            ++spare;
        gesture(cell(1, spare), cell(1, spare));
        gesture(cell(topRow, fromFrame), cell(bottomRow, toFrame));
        events.clear();
    }

    // Runs the group's script as a refresh does: the questions asked, and whether it changed the
    // scene.
    std::pair<QStringList, bool> runScript(const std::shared_ptr<sg::Group>& group)
    {
        outside::SceneGraphPtr sceneGraph = graph;
        outside::GroupPtr component = group;
        bool changed = false;
        platform->clearCalls();
        control.RunGroupScript(sceneGraph, 1, component, changed, 0);
        return {platform->callsNamed(QStringLiteral("MsgBox")), changed};
    }

    std::shared_ptr<ScriptedPlatform> platform = std::make_shared<ScriptedPlatform>();
    std::shared_ptr<sg::SceneGraph> graph = std::make_shared<sg::SceneGraph>();
    std::shared_ptr<sg::Group> lead;
    std::shared_ptr<sg::Group> trail;
    animation::Animation control;
    QStringList events;
};

TEST_F(PanelOnSceneGraph, BlocksOfKeysFollowTheMouse)
{
    const QString keptMessage =
        QStringLiteral("MsgBox(Some keyframes were not deleted. A minimum of one keyframe is "
                       "required for each scene component.|0|3|3D Vellum)");
    using Work = std::function<void()>;
    // A drag from a cell to a cell; with the right button the popup menu is answered.
    const auto drag = [&](int fromRow, int fromFrame, int toRow, int toFrame,
                          Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers keys = {},
                          const char* menuChoice = "") -> Work {
        return [=, this] {
            if (button == Qt::RightButton)
                platform->answerPopupMenu(QLatin1String(menuChoice));
            gesture(cell(fromRow, fromFrame), cell(toRow, toFrame), button, keys);
        };
    };
    struct Row
    {
        const char* name;
        int from, to; // the block selected on both rows first
        Work work;
        Frames lead;
        Frames trail;
        int frameAfter = -1; // where the slider ends; -1: not checked
        bool changes = true;
    };
    const Frames sameLead{0, 10, 20, 30}, sameTrail{0, 20};
    const auto right = Qt::RightButton;
    // clang-format off
    const Row rows[] = {
        {"move", 10, 20, drag(1, 15, 2, 25), {0, 20, 30}, {0, 30}, 20},
        {"copy by the right button", 10, 20, drag(1, 10, 1, 30, right, {}, "mnuPopupCopytoNewFrame"),
            {0, 10, 20, 30, 40}, {0, 20, 40}, 30},
        {"right button, menu closed: move", 10, 20, drag(1, 10, 1, 30, right), {0, 30, 40}, {0, 40}},
        {"past the last frame", 20, 30, drag(1, 25, 1, 39), {0, 10, 30, 40}, {0, 30}, 30},
        {"stretch twice as wide", 0, 10, drag(1, 10, 1, 20), {0, 20, 30, 40}, {0, 30}, 0},
        {"shrink to half", 0, 20, drag(2, 20, 2, 10), {0, 5, 10, 20}, {0, 10}},
        {"dropped where it was", 10, 20, drag(1, 12, 2, 12), sameLead, sameTrail, 10, false},
        {"shift starts a selection", 10, 20, drag(1, 15, 2, 25, Qt::LeftButton, Qt::ShiftModifier),
            sameLead, sameTrail, -1, false},
        {"left the grid", 10, 20, [&] { gesture(cell(1, 15), QPoint(cell(1, 15).x(), -40)); },
            sameLead, sameTrail, -1, false},
        {"delete some", 10, 20, [&] { click("cmdTimelineKeyframeDelete"); }, {0, 30}, {0}},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        setKeys(*lead, sameLead);
        setKeys(*trail, sameTrail);
        control.ReloadTimelineKeyFrames();
        selectBlock(row.from, row.to);
        row.work();
        const QStringList bracket{QStringLiteral("prepare"), QStringLiteral("apply")};
        const int frame = widget<common::TrackBar>("sldFrame").Value();
        EXPECT_EQ(std::tuple(frames(*lead), frames(*trail), events, frame),
                  std::tuple(row.lead, row.trail, row.changes ? bracket : QStringList(),
                             row.frameAfter >= 0 ? row.frameAfter : frame));
        // The grid shows the keys where they are now.
        grid().setRow(1);
        grid().setCol(grid().FixedCols() + int(row.lead.last()));
        EXPECT_FALSE(grid().CellPicture().isNull());
        EXPECT_TRUE(platform->callsNamed(QStringLiteral("MsgBox")).isEmpty());
        platform->clearCalls();
    }

    // A block over all of a row's keys keeps the first, and says so.
    selectBlock(0, 40);
    platform->answerMsgBox(MsgBoxResult::OK);
    click("cmdTimelineKeyframeDelete");
    EXPECT_EQ(
        std::tuple(frames(*lead), frames(*trail), platform->callsNamed(QStringLiteral("MsgBox"))),
        std::tuple(Frames{0}, Frames{0}, QStringList{keptMessage}));
}

TEST_F(PanelOnSceneGraph, DraggingLiftsTheKeysAndTheEdgeShowsResizeArrows)
{
    selectBlock(10, 10);
    mouse(QEvent::MouseMove, Qt::NoButton, Qt::NoButton, cell(1, 10));
    EXPECT_EQ(grid().MousePointer(), 0); // a one-column block has no edge to stretch
    selectBlock(10, 20);
    mouse(QEvent::MouseMove, Qt::NoButton, Qt::NoButton, cell(2, 20));
    EXPECT_EQ(grid().MousePointer(), 9);
    mouse(QEvent::MouseMove, Qt::NoButton, Qt::NoButton, cell(2, 19));
    EXPECT_EQ(grid().MousePointer(), 0);

    // While dragged the keys leave the block's cells and the block follows the mouse.
    mouse(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, cell(1, 15));
    grid().setRow(1);
    grid().setCol(grid().FixedCols() + 10);
    EXPECT_TRUE(grid().CellPicture().isNull());
    mouse(QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, cell(1, 38));
    EXPECT_EQ(grid().Col(), grid().FixedCols() + 30); // kept within the frames
    EXPECT_EQ(grid().ColSel(), grid().FixedCols() + 40);
    mouse(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, cell(1, 38));
    EXPECT_EQ(frames(*lead), (Frames{0, 30, 40}));
}

// Rows 1 to 3 (a third group selected too); the names come back through the grid's reload.
TEST_F(PanelOnSceneGraph, SequencesAreStoredRenamedDeletedAndPutBack)
{
    auto third = animatedGroup(3, QStringLiteral("Third"), {0, 10});
    control.TimelineActiveStateChange();
    auto& combo = widget<QComboBox>("cboSequence");
    const auto choose = [&](const QString& name) {
        combo.setCurrentIndex(-1);
        combo.setCurrentIndex(combo.findText(name));
        emit combo.activated(combo.currentIndex());
    };
    // The sequence names of the three rows.
    const auto names = [&] {
        return QList{lead->sequences().names(), trail->sequences().names(),
                     third->sequences().names()};
    };
    const auto each = [](const char* name) {
        return QList<QStringList>(3, name ? QStringList{QLatin1String(name)} : QStringList());
    };
    EXPECT_FALSE(combo.isEditable());

    selectBlock(0, 10, 1, 3);
    platform->answerInputBox(QString()); // Cancel
    click("cmdSequenceAdd");
    platform->answerInputBox(QStringLiteral(" Hop"));
    platform->answerMsgBox(MsgBoxResult::OK);
    click("cmdSequenceAdd");
    EXPECT_TRUE(events.isEmpty());
    platform->answerInputBox(QStringLiteral("Hop"));
    click("cmdSequenceAdd");
    EXPECT_EQ(names(), each("Hop"));
    control.ReloadTimelineKeyFrames();
    EXPECT_EQ(combo.count(), 1); // three rows, one name

    choose(QStringLiteral("Hop"));
    EXPECT_TRUE(widget<common::XPButton>("cmdSequenceRename").isEnabled());
    platform->answerInputBox(QStringLiteral(" Jump"));
    platform->answerMsgBox(MsgBoxResult::OK);
    click("cmdSequenceRename");
    EXPECT_EQ(std::pair(names(), combo.currentText()), std::pair(each("Hop"), u"Hop"_s));
    platform->answerInputBox(QStringLiteral("Jump"));
    click("cmdSequenceRename");
    EXPECT_EQ(std::pair(names(), combo.currentText()), std::pair(each("Jump"), u"Jump"_s));

    // Put back from frame 30 on every selected row.
    selectBlock(30, 30, 1, 3);
    control.ReloadTimelineKeyFrames();
    choose(QStringLiteral("Jump"));
    click("cmdSequenceRetrieve");
    EXPECT_EQ(std::tuple(frames(*lead), frames(*trail), lead->keyTrack().find(40)->payloadHead),
              std::tuple(Frames{0, 10, 20, 30, 40}, Frames{0, 20, 30}, 10.0f));

    choose(QStringLiteral("Jump")); // the reload emptied the choice
    platform->answerMsgBox(MsgBoxResult::No);
    click("cmdSequenceDelete");
    EXPECT_EQ(combo.count(), 1);
    platform->answerMsgBox(MsgBoxResult::Yes);
    click("cmdSequenceDelete");
    EXPECT_EQ(combo.count(), 0);
    EXPECT_FALSE(widget<common::XPButton>("cmdSequenceRetrieve").isEnabled());
    EXPECT_EQ(names(), each(nullptr));
    EXPECT_EQ(platform->callsNamed(QStringLiteral("MsgBox")).first(),
              QStringLiteral("MsgBox(A sequence name may not begin with a space.|0|1|3D Vellum)"));
}

TEST_F(PanelOnSceneGraph, ScriptFailuresAreOfferedForEditingAndTheEditTakesEffect)
{
    int redraws = 0;
    QObject::connect(&control, &animation::Animation::evtreqRenderAllViews, [&] { ++redraws; });
    graph->applicationState()->setModified(false);
    lead->setScript(QStringLiteral("function Animate(frame, group) {}"));
    platform->answerMsgBox(MsgBoxResult::Yes);
    int openedAt = 0;
    platform->answerDialog([&](QDialog& dialog) {
        auto* editor = dialog.findChild<QPlainTextEdit*>();
        openedAt = editor ? editor->textCursor().blockNumber() + 1 : -1;
        if (editor)
            editor->setPlainText(
                QStringLiteral("function AnimateGroup(frame, group) { group.x = 7; }"));
        return int(QDialog::Accepted);
    });

    EXPECT_EQ(runScript(lead),
              std::pair(QStringList{QStringLiteral(
                            "MsgBox(The script for group \"Lead\" does not include the required "
                            "\"AnimateGroup\". Edit the Script?|2|4|3D Vellum)")},
                        true));
    EXPECT_EQ(std::tuple(openedAt, redraws, graph->applicationState()->Modified()),
              std::tuple(1, 1, true));
    // The edited script is the group's now, and runs.
    runScript(lead);
    EXPECT_FLOAT_EQ(lead->pose().position.x(), 7.0f);

    // A script that never returns is stopped and reported at line 1.
    lead->setScript(QStringLiteral("function AnimateGroup(frame, group) { while (true) {} }"));
    platform->answerMsgBox(MsgBoxResult::No);
    QElapsedTimer clock;
    clock.start();
    const QStringList asked = runScript(lead).first;
    EXPECT_LT(clock.elapsed(), 10000);
    ASSERT_EQ(asked.size(), 1);
    EXPECT_TRUE(asked[0].contains(QStringLiteral("at line 1. Edit the script?")))
        << asked[0].toStdString();
}

} // namespace
} // namespace vellum::testing
