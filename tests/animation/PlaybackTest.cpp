#include "GhostPlayback.h"
#include "ModuleState.h"
#include "PanelHarness.h"
#include "PlaybackRun.h"
#include "UpDownText.h"
#include "XPButton.h"

#include <QDialog>
#include <QTest>
#include <gtest/gtest.h>
#include <limits>

namespace vellum::testing {
namespace {

using ::testing::_;
using ::testing::Invoke;
using ::testing::Return;

// The loop in the host's views, with a tick count the test moves: every yield to the message
// queue lets `stepMs` milliseconds pass.
class PlaybackTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        h.settings.Keys = 20;
        h.settings.KeysPerSecond = 10.0f;
        ON_CALL(*h.sceneGraph, CreateGraphicsUtility()).WillByDefault(Return(graphics));
        ON_CALL(*h.sceneGraph, CreateRenderUtility()).WillByDefault(Return(render));
        ON_CALL(*h.sceneGraph, FrameCompleted()).WillByDefault(Invoke([this] {
            ++framesCompleted;
        }));
        ON_CALL(*graphics, TickCount()).WillByDefault(Invoke([this] { return tick; }));
        ON_CALL(*h.state, PanelActive()).WillByDefault(Return(true));
        ON_CALL(*h.state, setGhostState(_)).WillByDefault(Invoke([this](std::int32_t state) {
            ghostStates.append(state);
        }));

        auto cameraGroup = std::make_shared<NiceMock<MockGroup>>();
        ON_CALL(*camera, ParentGroup()).WillByDefault(Return(cameraGroup));
        h.cameras.Add(camera);
        group = h.addGroup(1);
        ON_CALL(*group, ApplyFrame(_)).WillByDefault(Invoke([this](float frame) {
            posed.append(frame);
        }));
        QObject::connect(h.control.get(), &animation::Animation::evtReqUpdateStatusBar,
                         [this](QString& position, QString& misc) {
                             statusTexts.append(position + QLatin1Char('|') + misc);
                         });

        h.bind();
        h.control->SetupPanel();
        h.control->SetModePrepare(1);
        h.platform->onPumpMessages([this] {
            ++yields;
            tick += stepMs;
            if (onYield)
                onYield(yields);
        });
        posed.clear();
        h.events.clear();
        statusTexts.clear();
    }
    void TearDown() override { h.unbind(); }

    void click(const char* name) { h.clickButton(name); }
    common::XPButton& button(const char* name) { return h.widget<common::XPButton>(name); }

    PanelHarness h;
    std::shared_ptr<NiceMock<MockGraphicsUtility>> graphics =
        std::make_shared<NiceMock<MockGraphicsUtility>>();
    std::shared_ptr<NiceMock<MockRenderUtility>> render =
        std::make_shared<NiceMock<MockRenderUtility>>();
    std::shared_ptr<NiceMock<MockCamera>> camera = std::make_shared<NiceMock<MockCamera>>();
    std::shared_ptr<NiceMock<MockGroup>> group;

    std::int32_t tick = 5000;
    std::int32_t stepMs = 100;
    int yields = 0;
    int framesCompleted = 0;
    std::function<void(int)> onYield;
    QList<float> posed;
    QList<std::int32_t> ghostStates;
    QStringList statusTexts;
};

QList<float> frames(std::initializer_list<float> list)
{
    return QList<float>(list);
}

TEST_F(PlaybackTest, PlaysTheWholeAnimationInRealTimeAndReturnsToTheStart)
{
    h.slider().setValue(7); // playback starts at the start of the range whatever the slider says
    bool checkedWhilePlaying = false;
    onYield = [&](int) {
        if (checkedWhilePlaying)
            return;
        checkedWhilePlaying = true;
        EXPECT_FALSE(button("cmdPlay").isEnabled());
        EXPECT_FALSE(button("cmdStart").isEnabled());
        EXPECT_FALSE(button("chkAnimationTimeline").isEnabled());
        EXPECT_TRUE(button("cmdStop").isEnabled());
        EXPECT_TRUE(h.animationRunning);
    };
    click("cmdPlay");

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

TEST_F(PlaybackTest, ASlowFrameIsFollowedByALargerStepAndTheRateIsShownEverySecond)
{
    onYield = [&](int yield) { stepMs = yield == 3 ? 350 : 100; };
    click("cmdPlay");
    ASSERT_GE(posed.size(), 6);
    EXPECT_EQ(posed.mid(0, 6), frames({0.0f, 1.0f, 2.0f, 3.0f, 6.5f, 7.5f}));
    EXPECT_TRUE(statusTexts.contains(QStringLiteral("| Animating: 10 Frames/Second")))
        << statusTexts.join(u',').toStdString();
}

TEST_F(PlaybackTest, StoppingInTheFirstSecondLeavesTheRateEmptyAndTheSliderWhereItStopped)
{
    onYield = [&](int yield) {
        if (yield == 4)
            click("cmdStop");
    };
    EXPECT_CALL(*h.rootGroup, RefreshTree(true)).Times(::testing::AtLeast(2));
    click("cmdPlay");
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
    h.widget<common::XPButton>("chkAutoRepeat").setValue(true);
    onYield = [&](int yield) {
        if (yield == 9)
            h.control->HaltAnimation();
    };
    click("cmdPlay");
    // A wrap puts the slider back at the start; the next step is taken from there.
    EXPECT_EQ(posed.mid(1, 9), frames({10, 11, 12, 13, 11, 12, 13, 11, 12}));
    EXPECT_EQ(h.slider().Value(), 11) << "halted: the slider stays where the run stopped";
    EXPECT_EQ(h.slider().SelStart(), 10) << "the sub-range survives the run";
}

TEST_F(PlaybackTest, AFailingScriptEndsThePlaybackNormally)
{
    onYield = [&](int yield) {
        if (yield == 2)
            h.animationRunning = false; // what a failing script does while playing
    };
    click("cmdPlay");
    EXPECT_EQ(framesCompleted, 2);
    EXPECT_TRUE(button("cmdPlay").isEnabled()) << "the end steps ran";
}

TEST_F(PlaybackTest, AFailureInsideTheLoopLeavesTheButtonsForTheHostToRecompute)
{
    EXPECT_CALL(*camera, ParentGroup()).WillRepeatedly(Invoke([]() -> outside::GroupPtr {
        throw Error(ErrorNumber::Internal, QStringLiteral("camera lost"));
    }));
    click("cmdPlay");
    EXPECT_TRUE(h.animationRunning) << "no end step runs after a failure";
    EXPECT_FALSE(button("cmdPlay").isEnabled());
    h.control->HaltAnimation();
    EXPECT_FALSE(h.animationRunning);
}

TEST(FramesPerSecondTest, ASecondHasPassedAfterAThousandTicksEvenAtTheTickCountsEnd)
{
    constexpr std::int32_t last = std::numeric_limits<std::int32_t>::max();
    EXPECT_FALSE(animation::secondPassed(last - 500, last));
    EXPECT_TRUE(animation::secondPassed(last - 1000, last));
    EXPECT_FALSE(animation::secondPassed(last - 10, std::numeric_limits<std::int32_t>::min()));
}

TEST(GhostRangeTest, CoversTheWindowAroundTheFrameInsideTheAnimation)
{
    using animation::ghostRange;
    EXPECT_EQ(ghostRange(30, 200, 50, 50).selStart, 0);
    EXPECT_EQ(ghostRange(30, 200, 50, 50).selLength, 80);
    EXPECT_EQ(ghostRange(180, 200, 50, 50).selStart, 130);
    EXPECT_EQ(ghostRange(180, 200, 50, 50).selLength, 70);
    EXPECT_EQ(ghostRange(100, 200, 50, 50).selStart, 50);
    EXPECT_EQ(ghostRange(100, 200, 50, 50).selLength, 100);
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
    EXPECT_CALL(*graphics, GhostDelay(1000));

    click("cmdPlayGhost");

    // Range 50..145 (50 before, 45 after): the last posed frame lies beyond its end by the
    // remainder. The first pose is the slider's move to the start of the range.
    EXPECT_EQ(posed.mid(1, 11), frames({50, 60, 70, 80, 90, 100, 110, 120, 130, 140, 150}));
    EXPECT_EQ(posed.last(), 100.0f) << "the scene is put back at the frame it started from";
    EXPECT_EQ(ghostStates, QList<std::int32_t>({1, 2, 0}));
    EXPECT_EQ(h.slider().Value(), 100);
    EXPECT_EQ(h.slider().SelStart(), 40);
    EXPECT_EQ(h.slider().SelLength(), 100);
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
    h.platform->answerDialog([](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Ghost Animation Options"));
        auto* preceding = dialog.findChild<common::UpDownText*>(QStringLiteral("txtPreceding"));
        EXPECT_EQ(preceding->Text(), QStringLiteral("12"));
        QTest::mouseClick(dialog.findChild<QWidget*>(QStringLiteral("cmdDefault")), Qt::LeftButton);
        EXPECT_EQ(preceding->Text(), QStringLiteral("50")) << "Default only fills the boxes";
        QTest::mouseClick(dialog.findChild<QWidget*>(QStringLiteral("cmdCancel")), Qt::LeftButton);
        return dialog.result();
    });
    QTest::mouseClick(&button("cmdPlayGhost"), Qt::RightButton);
    EXPECT_EQ(animation::module().lGhostPrecedingNumber, 12);
    EXPECT_FALSE(h.platform->hasSetting(h.registryKey, QStringLiteral("Application"),
                                        QStringLiteral("GhostPrecedingNumber")));

    h.platform->answerDialog([](QDialog& dialog) {
        dialog.findChild<common::UpDownText*>(QStringLiteral("txtPreceding"))
            ->setText(QStringLiteral("20"));
        dialog.findChild<common::UpDownText*>(QStringLiteral("txtFollowing"))
            ->setText(QStringLiteral("lots"));
        QTest::mouseClick(dialog.findChild<QWidget*>(QStringLiteral("cmdOK")), Qt::LeftButton);
        EXPECT_TRUE(dialog.isVisible()) << "a count that is not a number keeps the dialog open";
        dialog.findChild<common::UpDownText*>(QStringLiteral("txtFollowing"))
            ->setText(QStringLiteral("32.5"));
        QTest::mouseClick(dialog.findChild<QWidget*>(QStringLiteral("cmdOK")), Qt::LeftButton);
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

} // namespace
} // namespace vellum::testing
