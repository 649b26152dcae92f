#include "ViewportWidget.h"

#include "TestScenes.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

using namespace vellum::viewport;
using namespace vellum::viewport::testing;

namespace {

class ViewportWidgetTest : public ::testing::Test
{
protected:
    ViewportWidgetTest()
    {
        widget.resize(200, 150);
        RenderScene scene = emptyScene();
        scene.items = {boxAt(QVector3D(0, 0, 0), 2, Qt::red)};
        widget.setScene(scene);
        RenderCamera camera = frontCamera();
        camera.position = QVector3D(0, 0, 8);
        widget.setCamera(camera);
    }

    ViewportWidget widget;
    const QPoint centre{100, 75};
    const QPoint corner{5, 5};
};

} // namespace

TEST_F(ViewportWidgetTest, RendersAndPicksWithoutBeingShown)
{
    QSignalSpy drawn(&widget, &ViewportWidget::drawn);
    EXPECT_EQ(widget.pickItem(centre), 0);
    EXPECT_EQ(widget.pickItem(corner), -1);

    widget.setAntiAliasing(4);
    const QImage image = widget.render();
    EXPECT_EQ(image.size(), QSize(200, 150));
    EXPECT_TRUE(reddish(image.pixel(centre)));
    EXPECT_EQ(image.pixel(corner), qRgb(0, 0, 0));

    widget.draw();
    EXPECT_EQ(drawn.count(), 1);

    widget.setCameraPosition(QVector3D(10, 0, 8)); // the box leaves the view
    EXPECT_EQ(widget.pickItem(centre), -1);
}

TEST_F(ViewportWidgetTest, LeftClickIsTheHostsTheRightOrbitsAndTheWheelZooms)
{
    widget.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
    QSignalSpy pressed(&widget, &ViewportWidget::mousePressed);
    QSignalSpy clicked(&widget, &ViewportWidget::clicked);
    QSignalSpy drawn(&widget, &ViewportWidget::drawn);
    const RenderCamera before = widget.camera();

    QTest::mouseClick(&widget, Qt::LeftButton, {}, centre);
    EXPECT_EQ(pressed.count(), 1);
    ASSERT_EQ(clicked.count(), 1);
    EXPECT_EQ(clicked.first().first().toPoint(), centre);
    EXPECT_EQ(widget.camera().position, before.position);

    widget.draw();
    EXPECT_EQ(drawn.count(), 1);
    EXPECT_EQ(widget.grab().toImage().pixel(centre), widget.render().pixel(centre));

    // The right button orbits, the wheel zooms, and neither is a click.
    QSignalSpy moved(&widget, &ViewportWidget::cameraChanged);
    // Looking down at the ground, the pivot is where the view meets it: the box's centre.
    RenderCamera camera = widget.camera();
    camera.position = QVector3D(0, 6, 8);
    camera.direction = -camera.position;
    widget.setCamera(camera);
    const float distance = camera.position.length();

    QTest::mousePress(&widget, Qt::RightButton, {}, centre);
    QTest::mouseMove(&widget, centre + QPoint(60, 0));
    QTest::mouseRelease(&widget, Qt::RightButton, {}, centre + QPoint(60, 0));
    EXPECT_EQ(clicked.count(), 1);
    EXPECT_GE(moved.count(), 1);
    EXPECT_GT(std::abs(widget.camera().position.x()), 1.0f);
    EXPECT_EQ(widget.pickItem(centre), 0) << "turned about the box";

    QWheelEvent wheel(QPointF(centre), widget.mapToGlobal(QPointF(centre)), QPoint(),
                      QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&widget, &wheel);
    EXPECT_LT(widget.camera().position.length(), distance * 0.9f);

    widget.setNavigationEnabled(false);
    const QVector3D fixed = widget.camera().position;
    QTest::mousePress(&widget, Qt::MiddleButton, {}, centre);
    QTest::mouseMove(&widget, centre + QPoint(0, 40));
    QTest::mouseRelease(&widget, Qt::MiddleButton, {}, centre + QPoint(0, 40));
    EXPECT_EQ(widget.camera().position, fixed);
}

TEST_F(ViewportWidgetTest, ChangesWithinTheRenderIntervalWaitForItsEnd)
{
    widget.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
    widget.render();
    QSignalSpy drawn(&widget, &ViewportWidget::drawn);
    widget.setMinimumRenderInterval(60'000);
    widget.scheduleDraw();
    widget.setCameraPosition(QVector3D(10, 0, 8)); // the box leaves the view
    QApplication::processEvents();
    EXPECT_EQ(drawn.count(), 0);
    widget.setMinimumRenderInterval(0);
    QApplication::processEvents();
    EXPECT_EQ(drawn.count(), 1);
    EXPECT_EQ(widget.grab().toImage().pixel(centre), qRgb(0, 0, 0));
}
