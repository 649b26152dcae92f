#include "PanelHarness.h"
#include "Twips.h"
#include "XPButton.h"

#include <QComboBox>
#include <gtest/gtest.h>

namespace vellum::testing {
namespace {

using ::testing::_;
using ::testing::Invoke;
using ::testing::Return;

// A shape that keeps what was copied into it, so backups and restores can be followed.
struct ShapeStates
{
    std::shared_ptr<NiceMock<MockShape>> shape = std::make_shared<NiceMock<MockShape>>();
    outside::ShapePtr backup;
    int restores = 0;
};

class ModeSwitchTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ON_CALL(*h.sceneGraph, NewShape()).WillByDefault(Invoke([this] {
            ++backupsMade;
            return std::make_shared<NiceMock<MockShape>>();
        }));
        h.mode = 0;
        h.bind();
        h.control->SetupPanel();
    }
    void TearDown() override { h.unbind(); }

    ShapeStates& addShape()
    {
        shapes.push_back(std::make_unique<ShapeStates>());
        ShapeStates& states = *shapes.back();
        ON_CALL(*states.shape, AnimationBackup()).WillByDefault(Invoke([&states] {
            return states.backup;
        }));
        ON_CALL(*states.shape, setAnimationBackup(_))
            .WillByDefault(
                Invoke([&states](const outside::ShapePtr& backup) { states.backup = backup; }));
        ON_CALL(*states.shape, CopyFrom(_))
            .WillByDefault(Invoke([&states](const outside::ShapePtr&) { ++states.restores; }));
        h.shapes.Add(states.shape);
        return states;
    }

    int heightTwips() const
    {
        return common::pixelsToTwips(h.control->height(), h.control->logicalDpiY());
    }
    bool enabled(const char* name) const { return h.widget<QWidget>(name).isEnabled(); }

    PanelHarness h;
    std::vector<std::unique_ptr<ShapeStates>> shapes;
    int backupsMade = 0;
};

TEST_F(ModeSwitchTest, EnteringTwiceBacksUpOnceAndLeavingTwiceRestoresOnce)
{
    ShapeStates& first = addShape();
    ShapeStates& second = addShape();
    auto light = std::make_shared<NiceMock<MockLight>>();
    h.lights.Add(light);
    EXPECT_CALL(*light, SaveAnimationState()).Times(1);
    EXPECT_CALL(*light, RestoreAnimationState()).Times(::testing::AtLeast(1));

    h.control->SetModePrepare(1);
    h.control->SetModePrepare(1);
    EXPECT_EQ(backupsMade, 2);
    EXPECT_NE(first.backup, nullptr);
    EXPECT_TRUE(h.widget<common::XPButton>("chkAnimate").Value());
    EXPECT_TRUE(enabled("cmdPlay"));
    EXPECT_TRUE(enabled("sldFrame"));

    // A shape added in animation mode has no backup and is left as it is.
    ShapeStates& added = addShape();
    h.control->SetModePrepare(0);
    h.control->SetModePrepare(0);
    EXPECT_EQ(first.restores, 1);
    EXPECT_EQ(second.restores, 1);
    EXPECT_EQ(first.backup, nullptr);
    EXPECT_EQ(added.restores, 0);
    EXPECT_EQ(h.shapes.Count(), 3) << "the added shape stays in the scene";
    EXPECT_FALSE(h.widget<common::XPButton>("chkAnimate").Value());
    EXPECT_FALSE(enabled("cmdPlay"));
    EXPECT_FALSE(enabled("sldFrame"));
    EXPECT_EQ(h.currentFrame, 0.0f);
    EXPECT_EQ(h.events.last(), QStringLiteral("ButtonsEnable"));
}

TEST_F(ModeSwitchTest, TheSceneTakenFirstIsTheOneBackedUpEvenWhenTheStateHandsOutAnother)
{
    ShapeStates& shape = addShape();
    auto other = std::make_shared<NiceMock<MockScene>>();
    const outside::Collection<Shape> noShapes;
    ON_CALL(*other, Shapes()).WillByDefault(::testing::ReturnRef(noShapes));
    ON_CALL(*other, Lights()).WillByDefault(::testing::ReturnRef(h.lights));
    ON_CALL(*other, Cameras()).WillByDefault(::testing::ReturnRef(h.cameras));
    ON_CALL(*other, Groups()).WillByDefault(::testing::ReturnRef(h.groups));
    ON_CALL(*other, RootGroup()).WillByDefault(Return(h.rootGroup));
    EXPECT_CALL(*h.state, Scene()).WillOnce(Return(h.scene)).WillRepeatedly(Return(other));
    h.control->SetModePrepare(1);
    EXPECT_NE(shape.backup, nullptr);
}

TEST_F(ModeSwitchTest, TheAnimateToggleAsksTheHostAndIsUsableAgainAfterwards)
{
    bool enabledDuringRequest = true;
    QObject::connect(h.control.get(), &animation::Animation::evtReqSetMode,
                     [&](std::int32_t&, bool&) { enabledDuringRequest = enabled("chkAnimate"); });
    h.clickButton("chkAnimate");
    EXPECT_TRUE(h.events.contains(QStringLiteral("SetMode(1,1)")));
    EXPECT_FALSE(enabledDuringRequest);
    EXPECT_TRUE(enabled("chkAnimate"));
    EXPECT_EQ(h.mode, 0) << "the toggle only asks; the host switches";
}

TEST_F(ModeSwitchTest, TheTimelineTogglesResizeThePanelWithinFiveToTwentyRows)
{
    h.control->SetModePrepare(1);
    EXPECT_NEAR(heightTwips(), 360, 15);
    h.clickButton("chkAnimationTimeline");
    EXPECT_NEAR(heightTwips(), 420 + 5 * 240 + 30, 15);
    EXPECT_EQ(h.events.last(), QStringLiteral("Resize"));
    EXPECT_FALSE(enabled("cmdAnimationTimelineLess"));
    EXPECT_TRUE(enabled("cmdAnimationTimelineMore"));

    for (int row = 5; row < 20; ++row)
        h.clickButton("cmdAnimationTimelineMore");
    EXPECT_NEAR(heightTwips(), 420 + 20 * 240 + 30, 15);
    EXPECT_FALSE(enabled("cmdAnimationTimelineMore"));
    h.clickButton("cmdAnimationTimelineMore");
    EXPECT_NEAR(heightTwips(), 420 + 20 * 240 + 30, 15) << "a disabled button does nothing";

    h.clickButton("chkAnimationTimeline");
    EXPECT_NEAR(heightTwips(), 360, 15) << "hidden, the timeline takes no room whatever its rows";
}

TEST_F(ModeSwitchTest, TheSliderFillsThePanelAndNeverGoesBelowTenTwips)
{
    auto& slider = h.slider();
    h.control->resize(1200, h.control->height());
    const int leftTwips = common::pixelsToTwips(slider.x(), h.control->logicalDpiX());
    const int widthTwips = common::pixelsToTwips(slider.width(), h.control->logicalDpiX());
    EXPECT_NEAR(widthTwips, common::pixelsToTwips(1200, h.control->logicalDpiX()) - leftTwips + 30,
                15);
    h.control->resize(100, h.control->height());
    EXPECT_NEAR(common::pixelsToTwips(slider.width(), h.control->logicalDpiX()), 10, 15);
}

TEST_F(ModeSwitchTest, ResetNeedsOneOrMorePrimarySelectionsWithoutALightMarker)
{
    auto shape = std::make_shared<NiceMock<MockShape>>();
    auto lightMarker = std::make_shared<NiceMock<MockShape>>();
    ON_CALL(*shape, Kind()).WillByDefault(Return(20));
    ON_CALL(*lightMarker, Kind()).WillByDefault(Return(60));
    std::vector<outside::ShapePtr> selection{shape};
    ON_CALL(*h.sceneGraph, SelectedCount(_)).WillByDefault(Invoke([&](std::int32_t) {
        return std::int32_t(selection.size());
    }));
    ON_CALL(*h.sceneGraph, SelectedItem(_, _))
        .WillByDefault(Invoke([&](std::int32_t, std::int32_t i) { return selection[size_t(i)]; }));

    h.control->SetModePrepare(1);
    EXPECT_TRUE(enabled("cmdReset"));

    selection.push_back(lightMarker);
    h.control->SetModePrepare(1);
    EXPECT_FALSE(enabled("cmdReset")) << "a light marker anywhere in the selection";

    selection = {shape};
    ON_CALL(*h.sceneGraph, SecondarySelectionCount(_)).WillByDefault(Return(1));
    h.control->SetModePrepare(1);
    EXPECT_FALSE(enabled("cmdReset"));
}

} // namespace
} // namespace vellum::testing
