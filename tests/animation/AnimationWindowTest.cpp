#include "AnimationWindow.h"

#include "WindowHarness.h"
#include "XPButton.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace vellum::testing {
namespace {

using ::testing::_;
using ::testing::Invoke;
using ::testing::Return;

using AnimationWindowTest = WindowHarness;

TEST_F(AnimationWindowTest, FullScreenPlaybackCoversTheRenderingAreaAndAKeyStopsIt)
{
    QRect clientArea;
    onYield = [&](int yield) {
        QWidget* shown = window();
        ASSERT_NE(shown, nullptr);
        clientArea = QRect(shown->mapToGlobal(QPoint(0, 0)), shown->size());
        if (yield == 3)
            QTest::keyClick(shown, Qt::Key_Tab); // not taken for focus navigation
    };
    h.clickButton("cmdPlayFullScreen");

    EXPECT_EQ(yields, 3) << "the key ended the run after that frame";
    EXPECT_EQ(clientArea, QRect(100, 50, 320, 200));
    EXPECT_EQ(displayChanges, QList<bool>({false, true}));
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
}

TEST_F(AnimationWindowTest, APressInTheViewportStopsThePlaybackAndNoViewportNoneStarts)
{
    onYield = [&](int yield) {
        if (yield == 2)
            lastViewport->press();
    };
    h.clickButton("cmdPlayFullScreen");
    EXPECT_EQ(yields, 2);
    EXPECT_FALSE(h.animationRunning);

    // Without a viewport from the host full screen does not start.
    outside::setViewportFactory(nullptr);
    h.clickButton("cmdPlayFullScreen");
    EXPECT_EQ(yields, 2);
    EXPECT_EQ(window(), nullptr);
}

TEST(AnimationWindowAntiAliasing, RecordingLevelsBecomeSamplesPerEdge)
{
    EXPECT_EQ(animation::viewportAntiAliasing(0), 0);
    EXPECT_EQ(animation::viewportAntiAliasing(1), 2);
    EXPECT_EQ(animation::viewportAntiAliasing(2), 4);
}

} // namespace
} // namespace vellum::testing
