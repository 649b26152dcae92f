#include "PanelHarness.h"
#include "UpDownText.h"
#include "XPButton.h"

#include <QTest>
#include <gtest/gtest.h>

namespace vellum::testing {
namespace {

using ::testing::_;
using ::testing::InSequence;
using ::testing::Invoke;
using ::testing::Return;

const QString SubRangeHint = QStringLiteral(
    "You can work with a sub-range of your animation by selecting a start point using the "
    "animation slider and shift-dragging the animation slider to the desired end point.");

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

    void TearDown() override { h.unbind(); }

    common::UpDownText& timeText() { return h.widget<common::UpDownText>("txtAnimationTime"); }

    void typeTime(const QString& text)
    {
        timeText().setText(text);
        timeText().setFocus();
        QTest::keyClick(&timeText(), Qt::Key_Return);
    }

    PanelHarness h;
};

TEST_F(FrameNavigationTest, SetupLoadsTheRangeFromTheSettingsAndGoesToTheCurrentFrame)
{
    h.currentFrame = 37.5f; // halves go to the even frame
    h.control->SetupPanel();
    EXPECT_EQ(h.slider().TickFrequency(), 24);
    EXPECT_EQ(h.slider().Min(), 0);
    EXPECT_EQ(h.slider().Max(), 200);
    EXPECT_EQ(h.slider().SelStart(), 0);
    EXPECT_EQ(h.slider().SelLength(), 200);
    EXPECT_EQ(h.slider().Value(), 38);
    EXPECT_EQ(timeText().Text(), QStringLiteral("1.58"));
}

TEST_F(FrameNavigationTest, SetupRunsEveryStepEvenWhenTheSettingsFail)
{
    EXPECT_CALL(*h.state, AnimationSettings())
        .WillRepeatedly(Invoke([]() -> outside::AnimationSettings {
            throw Error(ErrorNumber::Internal, QStringLiteral("settings unreadable"));
        }));
    h.currentFrame = 12.0f;
    EXPECT_NO_THROW(h.control->SetupPanel());
    EXPECT_EQ(h.slider().Value(), 12) << "the last step still ran";
    EXPECT_EQ(h.slider().SelLength(), 200);
}

TEST_F(FrameNavigationTest, DraggingPosesEveryGroupInSceneOrderAndAsksForARedraw)
{
    auto first = h.addGroup(1);
    auto second = h.addGroup(2);
    {
        InSequence order;
        EXPECT_CALL(*first, ApplyFrame(48.0f));
        EXPECT_CALL(*second, ApplyFrame(48.0f));
    }
    h.dragSlider(0, 48, Qt::NoModifier, Qt::NoModifier);

    EXPECT_EQ(h.slider().Value(), 48);
    EXPECT_EQ(h.currentFrame, 48.0f);
    EXPECT_EQ(timeText().Text(), QStringLiteral("2.00"));
    EXPECT_EQ(
        h.events,
        QStringList({QStringLiteral("UpdateCameraPositions(-1)"), QStringLiteral("ButtonsEnable"),
                     QStringLiteral("UpdateCameraPositions(-1)"), QStringLiteral("RenderAllViews"),
                     QStringLiteral("Warn(Timeline)")}));
    EXPECT_EQ(h.warnings, QStringList(QStringLiteral("Vellum Test|") + SubRangeHint));
}

TEST_F(FrameNavigationTest, ShiftDragLeftwardsKeepsTheStartPointAndTheButtonsRespectIt)
{
    h.slider().setValue(40);
    h.dragSlider(40, 10, Qt::ShiftModifier, Qt::ShiftModifier);
    EXPECT_EQ(h.slider().Value(), 10);
    EXPECT_EQ(h.slider().SelStart(), 40);
    EXPECT_EQ(h.slider().SelLength(), 0) << "a negative length is refused";

    h.clickButton("cmdEnd");
    EXPECT_EQ(h.slider().Value(), 40);
    EXPECT_EQ(h.slider().SelStart(), 40);

    h.slider().setValue(10);
    h.clickButton("cmdStepForward");
    EXPECT_EQ(h.slider().Value(), 11);
    EXPECT_EQ(h.slider().SelStart(), 0) << "11 lies outside the selection, which is reset";
    EXPECT_EQ(h.slider().SelLength(), 200);
}

TEST_F(FrameNavigationTest, ShiftDragRightwardsSelectsASubRangeThatTheButtonsStayIn)
{
    h.slider().setValue(20);
    h.dragSlider(20, 60, Qt::ShiftModifier, Qt::NoModifier);
    EXPECT_EQ(h.slider().SelStart(), 0) << "letting go of shift during the drag resets";
    EXPECT_EQ(h.slider().SelLength(), 200);
    EXPECT_TRUE(h.events.contains(QStringLiteral("Warn(Timeline)")));

    h.slider().setValue(20);
    h.dragSlider(20, 60, Qt::ShiftModifier, Qt::ShiftModifier);
    EXPECT_EQ(h.slider().SelStart(), 20);
    EXPECT_EQ(h.slider().SelLength(), 40);

    EXPECT_CALL(*h.rootGroup, RefreshTree(true)).Times(2);
    h.clickButton("cmdStart");
    EXPECT_EQ(h.slider().Value(), 20);
    h.events.clear();
    h.clickButton("cmdStepBack");
    EXPECT_EQ(h.slider().Value(), 20) << "stepping stops at the start of the sub-range";
    EXPECT_TRUE(h.events.isEmpty()) << "a step that cannot be made does nothing at all";
    h.clickButton("cmdEnd");
    EXPECT_EQ(h.slider().Value(), 60);
    h.clickButton("cmdStepForward");
    EXPECT_EQ(h.slider().Value(), 60);
}

TEST_F(FrameNavigationTest, WithoutAnActiveViewOnlyTheFrameAndTheGridFollow)
{
    auto group = h.addGroup(1);
    EXPECT_CALL(*group, ApplyFrame(_)).Times(0);
    h.setActiveView(false);
    const QString before = timeText().Text();
    h.slider().setValue(30);
    EXPECT_EQ(h.currentFrame, 30.0f);
    EXPECT_EQ(timeText().Text(), before);
    EXPECT_EQ(h.events, QStringList(QStringLiteral("RenderAllViews")));
}

TEST_F(FrameNavigationTest, OutsideAnimationModeTheFrameIsStillWrittenWhenNothingRuns)
{
    h.mode = 0;
    h.slider().setValue(25);
    EXPECT_EQ(h.currentFrame, 25.0f);

    h.animationRunning = true; // the loop poses the scene itself
    auto group = h.addGroup(1);
    EXPECT_CALL(*group, ApplyFrame(_)).Times(0);
    h.slider().setValue(26);
    EXPECT_EQ(h.currentFrame, 0.0f);
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
    EXPECT_EQ(h.slider().Value(), 120);
    EXPECT_EQ(h.slider().SelStart(), 0) << "a time beyond the sub-range resets it";
    EXPECT_EQ(h.slider().SelLength(), 200);
}

TEST_F(FrameNavigationTest, AFailingGroupEndsTheChangeButKeepsWhatWasDone)
{
    auto first = h.addGroup(1);
    auto failing = h.addGroup(2);
    auto third = h.addGroup(3);
    EXPECT_CALL(*first, ApplyFrame(70.0f));
    EXPECT_CALL(*failing, ApplyFrame(70.0f)).WillOnce(Invoke([](float) {
        throw Error(ErrorNumber::Internal, QStringLiteral("broken"));
    }));
    EXPECT_CALL(*third, ApplyFrame(_)).Times(0);

    h.slider().setValue(70); // the slider's handler ends quietly
    EXPECT_EQ(h.slider().Value(), 70);
    EXPECT_TRUE(h.events.isEmpty());
}

TEST_F(FrameNavigationTest, AMouseUpAlwaysWarnsEvenWhilePlaying)
{
    h.animationRunning = true;
    QTest::mouseClick(&h.slider(), Qt::LeftButton, Qt::NoModifier, h.pointOfFrame(0));
    EXPECT_EQ(h.events, QStringList(QStringLiteral("Warn(Timeline)")));
}

} // namespace
} // namespace vellum::testing
