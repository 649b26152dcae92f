#include "PanelHarness.h"
#include "Twips.h"
#include "XPButton.h"

#include <gtest/gtest.h>

namespace vellum::testing {
namespace {

// A shape that keeps what was copied into it, so backups and restores can be followed.
struct ShapeStates
{
    Nice<MockShape> shape = nice<MockShape>();
    outside::ShapePtr backup;
    int restores = 0;
};

class ModeSwitchTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ON_CALL(*h.sceneGraph, NewShape()).WillByDefault([this] {
            ++backupsMade;
            return nice<MockShape>();
        });
        h.start(0);
    }

    ShapeStates& addShape()
    {
        ShapeStates& states = *shapes.emplace_back(std::make_unique<ShapeStates>());
        ON_CALL(*states.shape, AnimationBackup()).WillByDefault([&states] {
            return states.backup;
        });
        ON_CALL(*states.shape, setAnimationBackup(_)).WillByDefault([&states](auto& backup) {
            states.backup = backup;
        });
        ON_CALL(*states.shape, CopyFrom(_)).WillByDefault([&states](auto&) { ++states.restores; });
        h.shapes.Add(states.shape);
        return states;
    }

    bool enabled(const char* name) const { return h.widget(name).isEnabled(); }
    bool pressed(const char* name) const { return h.widget<common::XPButton>(name).Value(); }

    PanelHarness h;
    std::vector<std::unique_ptr<ShapeStates>> shapes;
    int backupsMade = 0;
};

TEST_F(ModeSwitchTest, EnteringTwiceBacksUpOnceAndLeavingTwiceRestoresOnce)
{
    ShapeStates& first = addShape();
    ShapeStates& second = addShape();
    auto light = nice<MockLight>();
    h.lights.Add(light);
    EXPECT_CALL(*light, SaveAnimationState()).Times(1);
    EXPECT_CALL(*light, RestoreAnimationState()).Times(::testing::AtLeast(1));

    h.control->SetModePrepare(1);
    h.control->SetModePrepare(1);
    EXPECT_EQ(backupsMade, 2);
    EXPECT_NE(first.backup, nullptr);
    EXPECT_TRUE(pressed("chkAnimate") && enabled("cmdPlay") && enabled("sldFrame"));

    // A shape added in animation mode has no backup and is left as it is.
    ShapeStates& added = addShape();
    h.control->SetModePrepare(0);
    h.control->SetModePrepare(0);
    EXPECT_EQ(std::tuple(first.restores, second.restores, added.restores), std::tuple(1, 1, 0));
    EXPECT_EQ(first.backup, nullptr);
    EXPECT_EQ(h.shapes.Count(), 3) << "the added shape stays in the scene";
    EXPECT_FALSE(pressed("chkAnimate") || enabled("cmdPlay") || enabled("sldFrame"));
    EXPECT_EQ(h.currentFrame, 0.0f);
    EXPECT_EQ(h.events.last(), QStringLiteral("ButtonsEnable"));
}

TEST_F(ModeSwitchTest, TheSceneTakenFirstIsTheOneBackedUpEvenWhenTheStateHandsOutAnother)
{
    ShapeStates& shape = addShape();
    auto other = nice<MockScene>();
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

TEST_F(ModeSwitchTest, TheAnimateToggleOnlyAsksTheHostAndIsUsableAgainAfterwards)
{
    bool enabledDuringRequest = true;
    QObject::connect(h.control.get(), &animation::Animation::evtReqSetMode,
                     [&](std::int32_t&, bool&) { enabledDuringRequest = enabled("chkAnimate"); });
    h.clickButton("chkAnimate");
    EXPECT_TRUE(h.events.contains(QStringLiteral("SetMode(1,1)")));
    EXPECT_FALSE(enabledDuringRequest);
    EXPECT_TRUE(enabled("chkAnimate"));
    EXPECT_EQ(h.mode, 0) << "the host switches";
}

TEST_F(ModeSwitchTest, TheTimelineTogglesResizeThePanelWithinFiveToTwentyRows)
{
    h.control->SetModePrepare(1);
    EXPECT_NEAR(h.heightTwips(), 360, 15);
    h.clickButton("chkAnimationTimeline");
    EXPECT_NEAR(h.heightTwips(), 420 + 5 * 240 + 30, 15);
    EXPECT_EQ(h.events.last(), QStringLiteral("Resize"));
    EXPECT_FALSE(enabled("cmdAnimationTimelineLess"));
    EXPECT_TRUE(enabled("cmdAnimationTimelineMore"));

    for (int row = 5; row < 20; ++row)
        h.clickButton("cmdAnimationTimelineMore");
    EXPECT_NEAR(h.heightTwips(), 420 + 20 * 240 + 30, 15);
    EXPECT_FALSE(enabled("cmdAnimationTimelineMore"));
    h.clickButton("cmdAnimationTimelineMore");
    EXPECT_NEAR(h.heightTwips(), 420 + 20 * 240 + 30, 15) << "a disabled button does nothing";

    h.clickButton("chkAnimationTimeline");
    EXPECT_NEAR(h.heightTwips(), 360, 15) << "hidden, the timeline takes no room whatever its rows";

    // The slider fills the panel's width and never goes below ten twips.
    const auto twips = [&](int pixels) {
        return common::pixelsToTwips(pixels, h.control->logicalDpiX());
    };
    h.control->resize(1200, h.control->height());
    EXPECT_NEAR(twips(h.slider().width()), twips(1200) - twips(h.slider().x()) + 30, 15);
    h.control->resize(100, h.control->height());
    EXPECT_NEAR(twips(h.slider().width()), 10, 15);
}

TEST_F(ModeSwitchTest, ResetNeedsOneOrMorePrimarySelectionsWithoutALightMarker)
{
    h.select(h.rootGroup);
    h.control->SetModePrepare(1);
    EXPECT_TRUE(enabled("cmdReset"));

    h.select(h.rootGroup, 60);
    h.control->SetModePrepare(1);
    EXPECT_FALSE(enabled("cmdReset")) << "a light marker anywhere in the selection";

    h.selection.removeLast();
    ON_CALL(*h.sceneGraph, SecondarySelectionCount(_)).WillByDefault(Return(1));
    h.control->SetModePrepare(1);
    EXPECT_FALSE(enabled("cmdReset"));
}

} // namespace
} // namespace vellum::testing
