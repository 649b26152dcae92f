#include "PanelHarness.h"

#include <gtest/gtest.h>

namespace vellum::testing {
namespace {

using ::testing::InSequence;

const QString SubRangeHint = QStringLiteral(
    "You can work with a sub-range of your animation by selecting a start point using the "
    "animation slider and shift-dragging the animation slider to the desired end point.");

// 200 frames at 24 a second.
class FrameNavigationTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        h.settings.Keys = 200;
        h.settings.KeysPerSecond = 24.0f;
        h.bind();
        h.control->SetupPanel();
        // As animation mode would leave them.
        h.slider().setEnabled(true);
        timeText().setEnabled(true);
        h.events.clear();
    }

    common::UpDownText& timeText() { return h.widget<common::UpDownText>("txtAnimationTime"); }
    void typeTime(const QString& text) { typeInto(timeText(), text); }
    void drag(int from, int to, Qt::KeyboardModifiers press, Qt::KeyboardModifiers release)
    {
        dragSlider(h.slider(), from, to, press, release);
    }
    std::tuple<int, int, int> slider() // value, start and length of the selection
    {
        return {h.slider().Value(), h.slider().SelStart(), h.slider().SelLength()};
    }

    PanelHarness h;
};

TEST_F(FrameNavigationTest, SetupLoadsTheRangeAndGoesToTheCurrentFrameEvenWhenTheSettingsFail)
{
    bool settingsFail = true;
    ON_CALL(*h.state, AnimationSettings()).WillByDefault([&] {
        if (settingsFail)
            throw Error(ErrorNumber::Internal, QStringLiteral("settings unreadable"));
        return h.settings;
    });
    h.currentFrame = 12.0f;
    EXPECT_NO_THROW(h.control->SetupPanel());
    EXPECT_EQ(slider(), std::tuple(12, 0, 200)) << "the last step still ran";

    settingsFail = false;
    h.slider().setValue(0); // the set-up's move to 0 would write the frame otherwise
    h.currentFrame = 37.5f; // halves go to the even frame
    h.control->SetupPanel();
    EXPECT_EQ(h.slider().TickFrequency(), 24);
    EXPECT_EQ(std::pair(h.slider().Min(), h.slider().Max()), std::pair(0, 200));
    EXPECT_EQ(slider(), std::tuple(38, 0, 200));
    EXPECT_EQ(timeText().Text(), QStringLiteral("1.58"));
}

TEST_F(FrameNavigationTest, DraggingPosesEveryGroupInSceneOrderUntilOneFails)
{
    auto first = h.addGroup(1);
    auto second = h.addGroup(2);
    {
        InSequence order;
        EXPECT_CALL(*first, ApplyFrame(48.0f));
        EXPECT_CALL(*second, ApplyFrame(48.0f));
    }
    drag(0, 48, Qt::NoModifier, Qt::NoModifier);

    EXPECT_EQ(h.slider().Value(), 48);
    EXPECT_EQ(h.currentFrame, 48.0f);
    EXPECT_EQ(timeText().Text(), QStringLiteral("2.00"));
    EXPECT_EQ(
        h.events,
        QStringList({QStringLiteral("UpdateCameraPositions(-1)"), QStringLiteral("ButtonsEnable"),
                     QStringLiteral("UpdateCameraPositions(-1)"), QStringLiteral("RenderAllViews"),
                     QStringLiteral("Warn(Timeline)")}));
    EXPECT_EQ(h.warnings, QStringList(QStringLiteral("Vellum Test|") + SubRangeHint));

    // A failing group ends the change quietly; what was done stays done.
    auto third = h.addGroup(3);
    EXPECT_CALL(*first, ApplyFrame(70.0f));
    EXPECT_CALL(*second, ApplyFrame(70.0f)).WillOnce([](float) {
        throw Error(ErrorNumber::Internal, QStringLiteral("broken"));
    });
    EXPECT_CALL(*third, ApplyFrame(_)).Times(0);
    h.events.clear();
    h.slider().setValue(70);
    EXPECT_EQ(h.slider().Value(), 70);
    EXPECT_TRUE(h.events.isEmpty());
}

TEST_F(FrameNavigationTest, ShiftDragSelectsASubRangeThatTheButtonsStayIn)
{
    // Leftwards the start point stays, and a negative length is refused.
    h.slider().setValue(40);
    drag(40, 10, Qt::ShiftModifier, Qt::ShiftModifier);
    EXPECT_EQ(slider(), std::tuple(10, 40, 0));
    h.clickButton("cmdEnd");
    EXPECT_EQ(slider(), std::tuple(40, 40, 0));
    h.slider().setValue(10);
    h.clickButton("cmdStepForward");
    EXPECT_EQ(slider(), std::tuple(11, 0, 200)) << "11 lies outside the selection: reset";

    h.slider().setValue(20);
    drag(20, 60, Qt::ShiftModifier, Qt::NoModifier);
    EXPECT_EQ(slider(), std::tuple(60, 0, 200)) << "letting go of shift during the drag resets";
    EXPECT_TRUE(h.events.contains(QStringLiteral("Warn(Timeline)")));

    h.slider().setValue(20);
    drag(20, 60, Qt::ShiftModifier, Qt::ShiftModifier);
    EXPECT_EQ(slider(), std::tuple(60, 20, 40));
    EXPECT_CALL(*h.rootGroup, RefreshTree(true)); // cmdStart only
    h.clickButton("cmdStart");
    EXPECT_EQ(h.slider().Value(), 20);
    h.events.clear();
    h.clickButton("cmdStepBack");
    EXPECT_EQ(h.slider().Value(), 20) << "stepping stops at the start of the sub-range";
    EXPECT_TRUE(h.events.isEmpty()) << "a step that cannot be made does nothing at all";
    // The end of the sub-range, by the buttons' keys, is checked in the studio.
}

TEST_F(FrameNavigationTest, WithoutAViewOrOutsideAnimationModeOnlyTheFrameFollows)
{
    auto group = h.addGroup(1);
    EXPECT_CALL(*group, ApplyFrame(_)).Times(0);
    h.viewPresent = false;
    const QString before = timeText().Text();
    h.slider().setValue(30);
    EXPECT_EQ(h.currentFrame, 30.0f);
    EXPECT_EQ(timeText().Text(), before);
    EXPECT_EQ(h.events, QStringList(QStringLiteral("RenderAllViews")));

    h.viewPresent = true;
    h.mode = 0;
    ::testing::Mock::VerifyAndClearExpectations(group.get());
    h.slider().setValue(25);
    EXPECT_EQ(h.currentFrame, 25.0f);
    h.animationRunning = true; // the loop poses the scene itself
    EXPECT_CALL(*group, ApplyFrame(_)).Times(0);
    h.slider().setValue(26);
    EXPECT_EQ(h.currentFrame, 0.0f);

    // A mouse-up always warns, even while playing.
    h.events.clear();
    QTest::mouseClick(&h.slider(), Qt::LeftButton, Qt::NoModifier, pointOfFrame(h.slider(), 0));
    EXPECT_EQ(h.events, QStringList(QStringLiteral("Warn(Timeline)")));
}

TEST_F(FrameNavigationTest, TypedTimesRoundToEvenFramesAndBadTextChangesNothing)
{
    typeTime(QStringLiteral("1.3"));
    EXPECT_EQ(h.slider().Value(), 31);
    EXPECT_EQ(timeText().Text(), QStringLiteral("1.29"));

    timeText().stepBy(1); // the arrows commit at once
    EXPECT_EQ(h.slider().Value(), 55);
    EXPECT_EQ(timeText().Text(), QStringLiteral("2.29"));

    typeTime(QStringLiteral("0.0625")); // 1.5 frames: halves to even
    EXPECT_EQ(h.slider().Value(), 2);

    for (const QString& bad : {QStringLiteral("soon"), QStringLiteral("9")}) { // 9 s = frame 216
        typeTime(bad);
        EXPECT_EQ(h.slider().Value(), 2) << bad.toStdString();
        EXPECT_EQ(timeText().Text(), bad) << "the text keeps what the user typed";
        EXPECT_TRUE(timeText().isMarkedRefused()) << bad.toStdString();
    }
    typeTime(QStringLiteral("0.5"));
    EXPECT_FALSE(timeText().isMarkedRefused());

    h.settings.KeysPerSecond = 0.0f;
    h.slider().setValue(5);
    typeTime(QStringLiteral("3"));
    EXPECT_EQ(h.slider().Value(), 0);
    EXPECT_EQ(timeText().Text(), QStringLiteral("3")) << "the division by zero ends the update";

    h.settings.KeysPerSecond = 24.0f;
    h.slider().setSelStart(10);
    h.slider().setSelLength(20);
    typeTime(QStringLiteral("5"));
    EXPECT_EQ(slider(), std::tuple(120, 0, 200)) << "a time beyond the sub-range resets it";
}

} // namespace
} // namespace vellum::testing
