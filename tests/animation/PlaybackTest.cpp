// The run loop in the host's views, in the animation window and as ghosts, with a tick count the
// test moves.
#include "AnimationWindow.h"
#include "GhostPlayback.h"
#include "ModuleState.h"
#include "PlaybackRun.h"
#include "WindowHarness.h"
#include "XPButton.h"

#include <QDialog>
#include <limits>

namespace vellum::testing {
namespace {

QList<float> frames(std::initializer_list<float> list)
{
    return QList<float>(list);
}

// 20 frames at 10 a second; group 1 writes down the frames it is posed at.
class PlaybackTest : public WindowHarness
{
protected:
    PlaybackTest() : WindowHarness(20)
    {
        ON_CALL(*h.sceneGraph, FrameCompleted()).WillByDefault([this] { ++framesCompleted; });
        ON_CALL(*h.state, setGhostState(_)).WillByDefault([this](std::int32_t state) {
            ghostStates.append(state);
        });
        ON_CALL(*h.addGroup(1), ApplyFrame(_)).WillByDefault([this](float f) { posed.append(f); });
        QObject::connect(h.control.get(), &animation::Animation::evtReqUpdateStatusBar,
                         [this](QString& position, QString& misc) {
                             statusTexts.append(position + QLatin1Char('|') + misc);
                         });
        h.control->SetupPanel();
        h.events.clear();
        posed.clear();
    }

    common::XPButton& button(const char* name) { return h.widget<common::XPButton>(name); }

    int framesCompleted = 0;
    QList<float> posed;
    QList<std::int32_t> ghostStates;
    QStringList statusTexts;
};

TEST_F(PlaybackTest, PlaysTheWholeAnimationInRealTimeAndReturnsToTheStart)
{
    h.slider().setValue(7); // playback starts at the start of the range whatever the slider says
    onYield = [&](int yield) {
        if (yield > 1)
            return;
        for (const char* name : {"cmdPlay", "cmdStart", "chkAnimationTimeline"})
            EXPECT_FALSE(button(name).isEnabled()) << name;
        EXPECT_TRUE(button("cmdStop").isEnabled());
        EXPECT_TRUE(h.animationRunning);
    };
    h.clickButton("cmdPlay");

    QList<float> expected;
    for (int frame = 0; frame <= 20; ++frame)
        expected.append(float(frame));
    EXPECT_EQ(posed.mid(posed.indexOf(0.0f), 21), expected);
    EXPECT_EQ(framesCompleted, 21);
    EXPECT_FALSE(h.animationRunning);
    EXPECT_EQ(h.slider().Value(), 0) << "a natural end goes back to the start";
    EXPECT_TRUE(button("cmdPlay").isEnabled());
    EXPECT_FALSE(button("cmdStop").isEnabled());
    EXPECT_EQ(h.widget<common::UpDownText>("txtAnimationTime").Text(), QStringLiteral("0.00"));
    EXPECT_EQ(statusTexts.last(), QStringLiteral("|"));
    EXPECT_EQ(h.events.first(), QStringLiteral("UpdateCameraPositions(-1)"));
    EXPECT_EQ(h.events.last(), QStringLiteral("ButtonsEnable"));
}

TEST_F(PlaybackTest, ASlowFrameIsFollowedByALargerStep)
{
    onYield = [&](int yield) { stepMs = yield == 3 ? 350 : 100; };
    h.clickButton("cmdPlay");
    EXPECT_EQ(posed.mid(0, 6), frames({0.0f, 1.0f, 2.0f, 3.0f, 6.5f, 7.5f}));
}

TEST_F(PlaybackTest, StoppingInTheFirstSecondLeavesTheRateEmptyAndTheSliderWhereItStopped)
{
    onYield = [&](int yield) {
        if (yield == 4)
            h.clickButton("cmdStop");
    };
    EXPECT_CALL(*h.rootGroup, RefreshTree(true)).Times(::testing::AtLeast(2));
    h.clickButton("cmdPlay");
    EXPECT_EQ(posed.size(), 4 + 1) << "the stopped iteration still drew, then the end";
    EXPECT_EQ(framesCompleted, 4) << "frame completion still comes for the stopped iteration";
    EXPECT_EQ(h.slider().Value(), 2) << "the stopped iteration does not move the slider";
    for (const QString& text : statusTexts)
        EXPECT_TRUE(text.endsWith(QLatin1Char('|'))) << text.toStdString();
}

TEST_F(PlaybackTest, AutoRepeatWrapsToTheStartOfTheSubRangeUntilHalted)
{
    h.slider().setValue(11);
    h.slider().setSelStart(10);
    h.slider().setSelLength(3);
    button("chkAutoRepeat").setValue(true);
    onYield = [&](int yield) {
        if (yield == 9)
            h.control->HaltAnimation();
    };
    h.clickButton("cmdPlay");
    // A wrap puts the slider back at the start; the next step is taken from there.
    EXPECT_EQ(posed.mid(1, 9), frames({10, 11, 12, 13, 11, 12, 13, 11, 12}));
    EXPECT_EQ(h.slider().Value(), 11) << "halted: the slider stays where the run stopped";
    EXPECT_EQ(h.slider().SelStart(), 10) << "the sub-range survives the run";
}

TEST_F(PlaybackTest, AFailingScriptEndsTheRunNormallyAndAFailureLeavesTheButtonsToTheHost)
{
    onYield = [&](int yield) {
        if (yield == 2)
            h.animationRunning = false; // what a failing script does while playing
    };
    h.clickButton("cmdPlay");
    EXPECT_EQ(framesCompleted, 2);
    EXPECT_TRUE(button("cmdPlay").isEnabled()) << "the end steps ran";

    onYield = {};
    EXPECT_CALL(*camera, ParentGroup()).WillRepeatedly([]() -> outside::GroupPtr {
        throw Error(ErrorNumber::Internal, QStringLiteral("camera lost"));
    });
    h.clickButton("cmdPlay");
    EXPECT_TRUE(h.animationRunning) << "no end step runs after a failure";
    EXPECT_FALSE(button("cmdPlay").isEnabled());
    h.control->HaltAnimation();
    EXPECT_FALSE(h.animationRunning);
}

TEST(PlaybackRules, TheRateNearTheTickCountsWrapTheGhostRangeAndAntiAliasing)
{
    constexpr std::int32_t last = std::numeric_limits<std::int32_t>::max();
    EXPECT_FALSE(animation::secondPassed(last - 500, last));
    EXPECT_TRUE(animation::secondPassed(last - 1000, last));
    EXPECT_FALSE(animation::secondPassed(last - 10, std::numeric_limits<std::int32_t>::min()));

    // The window of 50 before and after a frame, kept inside 0..200.
    for (auto [frame, start, length] : {std::tuple{30, 0, 80}, {180, 130, 70}, {100, 50, 100}}) {
        EXPECT_EQ(animation::ghostRange(frame, 200, 50, 50).selStart, start) << frame;
        EXPECT_EQ(animation::ghostRange(frame, 200, 50, 50).selLength, length) << frame;
    }
    for (int level : {0, 1, 2}) // recording levels become samples per edge
        EXPECT_EQ(animation::viewportAntiAliasing(level), level * 2);
}

TEST_F(PlaybackTest, GhostPlaybackStepsTenFramesAndPutsTheSliderBackExactly)
{
    h.settings.Keys = 200;
    h.control->SetupPanel();
    h.slider().setSelStart(40);
    h.slider().setSelLength(100);
    h.slider().setSelectRange(false);
    h.slider().setValue(100);
    animation::module().lGhostPrecedingNumber = 50;
    animation::module().lGhostFollowingNumber = 45;
    posed.clear();
    h.events.clear();
    EXPECT_CALL(*h.graphics, GhostDelay(1000));

    h.clickButton("cmdPlayGhost");

    // Range 50..145 (50 before, 45 after): the last posed frame lies beyond its end by the
    // remainder. The first pose is the slider's move to the start of the range.
    EXPECT_EQ(posed.mid(1, 11), frames({50, 60, 70, 80, 90, 100, 110, 120, 130, 140, 150}));
    EXPECT_EQ(posed.last(), 100.0f) << "the scene is put back at the frame it started from";
    EXPECT_EQ(ghostStates, QList<std::int32_t>({1, 2, 0}));
    EXPECT_EQ(std::tuple(h.slider().Value(), h.slider().SelStart(), h.slider().SelLength()),
              std::tuple(100, 40, 100));
    EXPECT_FALSE(h.slider().SelectRange());
    EXPECT_EQ(h.currentFrame, 100.0f);
    EXPECT_FALSE(h.events.contains(QStringLiteral("UpdateCameraPositions(-1)")) &&
                 h.events.indexOf(QStringLiteral("UpdateCameraPositions(-1)")) >
                     h.events.lastIndexOf(QStringLiteral("ButtonsEnable")))
        << "no camera update after the ghosts were drawn";
}

TEST_F(PlaybackTest, TheGhostOptionsAreOfferedOnTheRightButtonAndStoredOnlyOnOk)
{
    animation::module().lGhostPrecedingNumber = 12;
    const auto text = [](QDialog& dialog, const char* name) -> common::UpDownText& {
        return child<common::UpDownText>(dialog, name);
    };
    h.platform->answerDialog([&](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Ghost Animation Options"));
        EXPECT_EQ(text(dialog, "txtPreceding").Text(), QStringLiteral("12"));
        clickChild(dialog, "cmdDefault");
        EXPECT_EQ(text(dialog, "txtPreceding").Text(), QStringLiteral("50"))
            << "Default only fills the boxes";
        clickChild(dialog, "cmdCancel");
        return dialog.result();
    });
    QTest::mouseClick(&button("cmdPlayGhost"), Qt::RightButton);
    EXPECT_EQ(animation::module().lGhostPrecedingNumber, 12);
    EXPECT_FALSE(h.platform->hasSetting(h.registryKey, QStringLiteral("Application"),
                                        QStringLiteral("GhostPrecedingNumber")));

    h.platform->answerDialog([&](QDialog& dialog) {
        text(dialog, "txtPreceding").setText(QStringLiteral("20"));
        text(dialog, "txtFollowing").setText(QStringLiteral("lots"));
        clickChild(dialog, "cmdOK");
        EXPECT_TRUE(dialog.isVisible()) << "a count that is not a number keeps the dialog open";
        text(dialog, "txtFollowing").setText(QStringLiteral("32.5"));
        clickChild(dialog, "cmdOK");
        return dialog.result();
    });
    QTest::mouseClick(&button("cmdPlayGhost"), Qt::RightButton);
    EXPECT_EQ(animation::module().lGhostPrecedingNumber, 20);
    EXPECT_EQ(animation::module().lGhostFollowingNumber, 32) << "halves go to even";
    EXPECT_EQ(h.platform->setting(h.registryKey, QStringLiteral("Application"),
                                  QStringLiteral("GhostFollowingNumber")),
              QStringLiteral("32"));
    EXPECT_TRUE(h.platform->allAnswersUsed());
}

using AnimationWindowTest = WindowHarness;

TEST_F(AnimationWindowTest, FullScreenPlaybackCoversTheRenderingAreaAndAKeyStopsIt)
{
    // Where the window stands, and that the views rest meanwhile, is checked in the studio.
    onYield = [&](int yield) {
        if (yield == 3)
            QTest::keyClick(window(), Qt::Key_Tab); // not taken for focus navigation
    };
    h.clickButton("cmdPlayFullScreen");

    EXPECT_EQ(yields, 3) << "the key ended the run after that frame";
    EXPECT_EQ(window(), nullptr) << "the window is unloaded at the end";
    // Loaded with the application's settings, shown without anti-aliasing, attached once, and
    // handed the animation camera every frame.
    EXPECT_EQ(
        viewportCalls.mid(0, 3),
        QStringList({QStringLiteral("texture "), QStringLiteral("A 20"), QStringLiteral("B 7")}));
    EXPECT_TRUE(viewportCalls.contains(QStringLiteral("aa 0")));
    EXPECT_EQ(viewportCalls.count(QStringLiteral("attach")), 1);
    EXPECT_EQ(viewportCalls.count(QStringLiteral("fov 35")), 3);
    const qsizetype fieldOfView = viewportCalls.lastIndexOf(QStringLiteral("fov 35"));
    EXPECT_EQ(viewportCalls.mid(fieldOfView - 2, 3),
              QStringList({QStringLiteral("orientation"), QStringLiteral("camera fov"),
                           QStringLiteral("fov 35")}))
        << "the field of view is read once the camera is placed";
    EXPECT_EQ(viewportCalls.count(QStringLiteral("draw")), 3 + 3);
    EXPECT_TRUE(h.widget<common::XPButton>("cmdPlay").isEnabled());

    // A press in the viewport stops the run too; without a viewport from the host none starts.
    onYield = [&](int yield) {
        if (yield == 5)
            lastViewport->press();
    };
    h.clickButton("cmdPlayFullScreen");
    EXPECT_EQ(yields, 5);
    EXPECT_FALSE(h.animationRunning);
    outside::setViewportFactory(nullptr);
    h.clickButton("cmdPlayFullScreen");
    EXPECT_EQ(yields, 5);
    EXPECT_EQ(window(), nullptr);
}

} // namespace
} // namespace vellum::testing
