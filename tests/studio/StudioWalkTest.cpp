// A person's walk through the studio: select a group, pose it at a frame, key it, see the key in
// the grid, copy it forward, close the loop and play it back.

#include "DemoScene.h"
#include "MainWindow.h"
#include "OperationEditor.h"
#include "Outliner.h"
#include "PropertyEditor.h"

#include <Animation.h>
#include <FlexGrid.h>
#include <OptionGroup.h>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QMouseEvent>
#include <QTest>
#include <ScriptedPlatform.h>
#include <TrackBar.h>
#include <XPButton.h>
#include <algorithm>
#include <gtest/gtest.h>
#include <sg/SceneGraph.h>

using namespace vellum;
using namespace vellum::studio;

namespace {

class StudioWalk : public ::testing::Test
{
protected:
    void SetUp() override
    {
        outside::setPlatform(platform);
        window = std::make_unique<MainWindow>();
        window->show();
    }
    void TearDown() override
    {
        window.reset();
        outside::setPlatform(nullptr);
    }

    template <typename Widget> Widget& panelWidget(const char* name)
    {
        auto* found = window->panel()->findChild<Widget*>(QLatin1String(name));
        if (!found)
            throw std::runtime_error(name);
        return *found;
    }
    void click(const char* name)
    {
        QTest::mouseClick(&panelWidget<common::XPButton>(name), Qt::LeftButton);
    }
    void goTo(int frame) { panelWidget<common::TrackBar>("sldFrame").setValue(frame); }
    // Poses the tower at the frame through the property editor and makes the frame a key.
    void keyTowerAt(int frame, double x)
    {
        goTo(frame);
        window->propertyEditor()->field(PropertyEditor::X)->setValue(x);
        click("optKeyFrameType_1");
    }
    QImage gridPicture(int row, int frame)
    {
        auto& grid = panelWidget<common::FlexGrid>("msgTimeline");
        grid.setRow(row);
        grid.setCol(frame + grid.FixedCols());
        return grid.CellPicture().toImage();
    }
    int rowOf(std::int32_t rowData)
    {
        auto& grid = panelWidget<common::FlexGrid>("msgTimeline");
        for (int row = grid.FixedRows(); row < grid.Rows(); ++row)
            if (grid.RowData(row) == rowData)
                return row;
        return -1;
    }
    QList<float> towerKeyFrames()
    {
        QList<float> frames;
        for (const auto& key : tower()->keyTrack().keys())
            frames << key.frame;
        return frames;
    }
    // A hand on the grid: press on one cell, move across to another and let go.
    void dragOnGrid(int fromRow, int fromFrame, int toRow, int toFrame)
    {
        auto& grid = panelWidget<common::FlexGrid>("msgTimeline");
        QWidget* target = grid.viewport();
        const QPoint from = grid.cellRect(fromRow, fromFrame + grid.FixedCols()).center();
        const QPoint to = grid.cellRect(toRow, toFrame + grid.FixedCols()).center();
        const auto send = [&](QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held,
                              QPoint at) {
            QMouseEvent event(type, at, target->mapToGlobal(at), button, held, Qt::NoModifier);
            QCoreApplication::sendEvent(target, &event);
        };
        send(QEvent::MouseMove, Qt::NoButton, Qt::NoButton, from);
        send(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, from);
        for (int step = 1; step <= 4; ++step)
            send(QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, from + (to - from) * step / 4);
        send(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, to);
    }
    static QList<float> keyFrames(const sg::Group& group)
    {
        QList<float> frames;
        for (const auto& key : group.keyTrack().keys())
            frames << key.frame;
        return frames;
    }
    std::shared_ptr<sg::Group> tower()
    {
        return window->sceneGraph().scene()->group(demo::TowerGroup);
    }

    std::shared_ptr<vellum::testing::ScriptedPlatform> platform =
        std::make_shared<vellum::testing::ScriptedPlatform>();
    std::unique_ptr<MainWindow> window;
};

} // namespace

TEST_F(StudioWalk, KeyAPoseCopyItCloseTheLoopAndPlay)
{
    window->selectComponent(Outliner::GroupItem, demo::TowerGroup);
    click("chkAnimationTimeline");
    ASSERT_TRUE(tower()->keyTrack().isEmpty());

    keyTowerAt(0, 4.0);
    keyTowerAt(10, 8.0);
    EXPECT_EQ(towerKeyFrames(), QList<float>({0, 10}));
    EXPECT_FALSE(gridPicture(1, 10).isNull()) << "the new key shows in the tower's row";
    EXPECT_TRUE(gridPicture(1, 11).isNull());

    click("cmdCopyKeyFrameForward");
    EXPECT_EQ(panelWidget<common::TrackBar>("sldFrame").Value(), 11);
    EXPECT_EQ(towerKeyFrames(), QList<float>({0, 10, 11}));
    EXPECT_FLOAT_EQ(tower()->poseAt(11).position.x(), 8.0f) << "the copy holds the pose";
    EXPECT_FALSE(gridPicture(1, 11).isNull());

    keyTowerAt(20, 6.0);
    keyTowerAt(30, 2.0);
    goTo(40);
    auto& repeat = panelWidget<common::XPButton>("chkRepeat");
    ASSERT_TRUE(repeat.isEnabled()) << "five keys before frame 40";
    click("chkRepeat");
    EXPECT_EQ(tower()->LoopMode(), outside::LoopClosed);
    EXPECT_TRUE(towerKeyFrames().contains(40.0f));
    EXPECT_FLOAT_EQ(tower()->poseAt(40).position.x(), 4.0f) << "the loop ends where it began";
    EXPECT_FLOAT_EQ(tower()->poseAt(50).position.x(), tower()->poseAt(10).position.x())
        << "and repeats past its end";

    // Played fast so that the walk takes a fraction of a second.
    const auto state = window->sceneGraph().applicationState();
    outside::AnimationSettings settings = state->AnimationSettings();
    settings.KeysPerSecond = 500.0f;
    state->setAnimationSettings(settings);
    goTo(0);
    auto& slider = panelWidget<common::TrackBar>("sldFrame");
    QList<float> towerXWhilePlaying;
    QObject::connect(&slider, &common::TrackBar::Change, [&] {
        if (state->AnimationRunning())
            towerXWhilePlaying << tower()->position().x();
    });
    click("cmdPlay");
    EXPECT_EQ(slider.Value(), 0) << "playback ends back where it started";
    EXPECT_FALSE(state->AnimationRunning());
    ASSERT_GT(towerXWhilePlaying.size(), 10);
    const auto [lowest, highest] =
        std::minmax_element(towerXWhilePlaying.cbegin(), towerXWhilePlaying.cend());
    EXPECT_LT(*lowest, 4.0f) << "the path reaches its low of 2";
    EXPECT_GT(*highest, 7.0f);
}

TEST_F(StudioWalk, KeyAnOperationsAmountMoveTheKeyWithAltAndCloseItsLoop)
{
    const auto swell = window->sceneGraph().scene()->operation(demo::SwellOperation);
    window->selectComponent(Outliner::OperationItem, swell->component()->code());
    click("chkAnimationTimeline");
    const int row = rowOf(demo::SwellOperation * 100 + 11);
    ASSERT_GT(row, 0) << "the operation has its row under the group";

    goTo(40);
    auto& types = panelWidget<common::OptionGroup>("optKeyFrameOperationType");
    ASSERT_EQ(types.Value(), 0);
    window->propertyEditor()->operationEditor()->amountBox()->setValue(2.0);
    click("optKeyFrameOperationType_1");
    EXPECT_FLOAT_EQ(swell->amountAt(40), 2.0f);
    EXPECT_FALSE(gridPicture(row, 40).isNull());

    QTest::mouseClick(&panelWidget<common::XPButton>("cmdCopyKeyFrameOperationForward"),
                      Qt::LeftButton, Qt::AltModifier);
    EXPECT_EQ(panelWidget<common::TrackBar>("sldFrame").Value(), 41);
    EXPECT_EQ(swell->keyTrack().find(40.0f), nullptr) << "Alt moves the key";
    ASSERT_NE(swell->keyTrack().find(41.0f), nullptr);
    EXPECT_FLOAT_EQ(swell->amountAt(41), 2.0f);
    EXPECT_EQ(types.Value(), 1) << "the tools follow to the moved key";

    goTo(75);
    ASSERT_TRUE(panelWidget<common::XPButton>("chkRepeatOperation").isEnabled());
    click("chkRepeatOperation");
    EXPECT_EQ(swell->LoopMode(), outside::LoopClosed);
    EXPECT_FLOAT_EQ(swell->amountAt(100), swell->amountAt(0)) << "the loop ends where it began";
}

TEST_F(StudioWalk, MoveStretchAndStoreABlockOfTwoGroupsThenPutItBackAndPlay)
{
    window->resize(1700, 1000);
    const auto scene = window->sceneGraph().scene();
    const auto hopper = scene->group(demo::HopperGroup);
    const auto orbiter = scene->group(demo::OrbiterGroup);
    Outliner& outliner = *window->outliner();
    outliner.setCurrentItem(outliner.findComponent(Outliner::GroupItem, demo::HopperGroup));
    outliner.setCurrentItem(outliner.findComponent(Outliner::GroupItem, demo::OrbiterGroup), 0,
                            QItemSelectionModel::Select);
    click("chkAnimationTimeline");
    const int hopperRow = rowOf(hopper->code());
    const int orbiterRow = rowOf(orbiter->code());
    ASSERT_EQ(orbiterRow, hopperRow + 1) << "both groups have their rows";

    dragOnGrid(orbiterRow, 25, hopperRow, 0); // select
    dragOnGrid(hopperRow, 5, hopperRow, 15);  // move ten frames right
    EXPECT_EQ(keyFrames(*hopper), (QList<float>{10, 35, 50, 75, 100}));
    EXPECT_EQ(keyFrames(*orbiter), (QList<float>{10, 30, 40, 60, 80, 100}));
    EXPECT_EQ(panelWidget<common::TrackBar>("sldFrame").Value(), 10);

    dragOnGrid(orbiterRow, 35, orbiterRow, 40); // stretch its right edge: 25 frames become 30
    EXPECT_EQ(keyFrames(*hopper), (QList<float>{10, 40, 55, 80, 105}));
    EXPECT_EQ(keyFrames(*orbiter), (QList<float>{10, 34, 45, 65, 85, 105}));
    EXPECT_EQ(orbiter->keyTrack().keys().back().payloadHead,
              orbiter->keyTrack().keys().front().payloadHead)
        << "the loop still closes on its first key";

    platform->answerInputBox(QStringLiteral("Swing"));
    click("cmdSequenceAdd");
    auto& grid = panelWidget<common::FlexGrid>("msgTimeline");
    grid.setLeftCol(grid.FixedCols() + 50);
    dragOnGrid(hopperRow, 60, orbiterRow, 60);
    auto& names = panelWidget<QComboBox>("cboSequence");
    names.setCurrentIndex(names.findText(QStringLiteral("Swing")));
    ASSERT_GE(names.currentIndex(), 0) << "the new sequence is offered";
    emit names.activated(names.currentIndex());
    click("cmdSequenceRetrieve");
    EXPECT_EQ(keyFrames(*hopper), (QList<float>{10, 40, 55, 60, 80, 90, 105}));
    EXPECT_EQ(hopper->poseAt(90).position, hopper->poseAt(40).position);

    const auto state = window->sceneGraph().applicationState();
    outside::AnimationSettings settings = state->AnimationSettings();
    settings.KeysPerSecond = 500.0f;
    state->setAnimationSettings(settings);
    goTo(0);
    click("cmdPlay");
    EXPECT_FALSE(state->AnimationRunning());
    EXPECT_EQ(panelWidget<common::TrackBar>("sldFrame").Value(), 0);
}
