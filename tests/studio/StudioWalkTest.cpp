// A person's walk through the studio: select a group, pose it at a frame, key it, see the key in
// the grid, copy it forward, close the loop and play it back.

#include "OperationEditor.h"
#include "Outliner.h"
#include "PropertyEditor.h"
#include "StudioHarness.h"

#include <FlexGrid.h>
#include <OptionGroup.h>
#include <QDoubleSpinBox>
#include <algorithm>

using namespace vellum;
using namespace vellum::studio;

namespace {

class StudioWalk : public StudioHarness
{
protected:
    void SetUp() override
    {
        StudioHarness::SetUp();
        window->show();
    }

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
    std::shared_ptr<sg::Group> tower() { return group(demo::TowerGroup); }
    QList<float> towerKeyFrames() { return keyFrames(*tower()); }
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
    int redraws = window->redrawCount();
    goTo(40);
    EXPECT_EQ(tower()->position(), tower()->poseAt(40).position) << "the slider poses the scene";
    EXPECT_GT(window->redrawCount(), redraws);
    auto& repeat = panelWidget<common::XPButton>("chkRepeat");
    ASSERT_TRUE(repeat.isEnabled()) << "five keys before frame 40";
    redraws = window->redrawCount();
    click("chkRepeat");
    EXPECT_EQ(tower()->LoopMode(), outside::LoopClosed);
    EXPECT_TRUE(towerKeyFrames().contains(40.0f));
    EXPECT_FLOAT_EQ(tower()->poseAt(40).position.x(), 4.0f) << "the loop ends where it began";
    // Shown at once: the pose, the editor and the views.
    EXPECT_FLOAT_EQ(tower()->position().x(), 4.0f);
    EXPECT_DOUBLE_EQ(window->propertyEditor()->field(PropertyEditor::X)->value(), 4.0);
    EXPECT_GT(window->redrawCount(), redraws);
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
