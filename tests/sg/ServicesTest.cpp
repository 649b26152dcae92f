// The service objects the panel creates from the scene graph.
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>
#include <sg/AppUtility.h>
#include <sg/GraphicsUtility.h>
#include <sg/PictureFactory.h>
#include <sg/SceneGraph.h>

using namespace vellum;
using namespace vellum::sg;

namespace {

TEST(ApplicationLog, AppendsTimestampedLinesAcrossUtilities)
{
    QTemporaryDir folder;
    SceneGraph graph;
    graph.setLogPath(folder.filePath(QStringLiteral("logs/vellum.log")));

    const auto first = graph.CreateAppUtility();
    first->WriteLine(QStringLiteral("Animation panel started"));
    graph.CreateAppUtility()->WriteLine(QStringLiteral("second"));

    QFile file(graph.logPath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
    const QStringList lines =
        QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2);
    const QRegularExpression stamped(
        QStringLiteral("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\\.\\d{3} (.*)$"));
    const auto match = stamped.match(lines[0]);
    ASSERT_TRUE(match.hasMatch()) << lines[0].toStdString();
    EXPECT_EQ(match.captured(1), QStringLiteral("Animation panel started"));
    EXPECT_TRUE(lines[1].endsWith(QStringLiteral(" second")));
    EXPECT_EQ(std::static_pointer_cast<AppUtility>(first)->lines(), lines.mid(0, 1));
}

TEST(Pictures, GrabTheWidgetsCoveringTheRectangleElseBlack)
{
    SceneGraph graph;
    const auto factory = graph.CreatePictureFactory();

    const QImage blank = factory->CreateOffscreenPicture(0, 0, 64, 48, 0);
    ASSERT_EQ(blank.size(), QSize(64, 48));
    for (int y = 0; y < blank.height(); y += 7)
        for (int x = 0; x < blank.width(); x += 7)
            ASSERT_EQ(blank.pixel(x, y), qRgb(0, 0, 0)) << x << "," << y;

    QWidget window;
    window.setAutoFillBackground(true);
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, Qt::red);
    window.setPalette(palette);
    window.setGeometry(300, 200, 100, 80);
    window.show();
    const QPoint origin = window.mapToGlobal(QPoint(0, 0));

    // Half on the window, half beside it.
    const QImage half =
        factory->CreateOffscreenPicture(origin.x() - 20, origin.y() + 10, 40, 20, 0);
    EXPECT_EQ(half.pixel(30, 10), qRgb(255, 0, 0));
    EXPECT_EQ(half.pixel(5, 10), qRgb(0, 0, 0));
    EXPECT_THROW(factory->CreateOffscreenPicture(0, 0, 0, 10, 0), Error);

    graph.setRenderingRectangle(QRect(10, 20, 640, 480));
    std::int32_t left = 0, top = 0, width = 0, height = 0;
    factory->MaximumDimensions(left, top, width, height);
    EXPECT_EQ(QRect(left, top, width, height), QRect(10, 20, 640, 480));
}

TEST(Graphics, CountsMillisecondsAndFindsScreenPositions)
{
    SceneGraph graph;
    const auto graphics = graph.CreateGraphicsUtility();
    const std::int32_t before = graphics->TickCount();
    QElapsedTimer wait;
    wait.start();
    while (wait.elapsed() < 20) {
    }
    EXPECT_GE(graphics->TickCount() - before, 20);

    QWidget window;
    window.setGeometry(120, 90, 50, 50);
    window.show();
    std::int32_t x = 0, y = 0;
    graphics->ScreenPosition(&window, x, y);
    EXPECT_EQ(QPoint(x, y), window.mapToGlobal(QPoint(0, 0)));
    EXPECT_THROW(graphics->ScreenPosition(nullptr, x, y), Error);
}

} // namespace
