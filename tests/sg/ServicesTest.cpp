// The service objects the panel creates from the scene graph: the log, pictures and graphics,
// and what a recording uses: the motion-blur blend, paths and the save dialog's answer, and the
// video writer checked with ffprobe.
#include "ErrorNumber.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>
#include <sg/AppUtility.h>
#include <sg/GraphicsUtility.h>
#include <sg/PictureFactory.h>
#include <sg/RenderUtility.h>
#include <sg/SceneGraph.h>
#include <sg/VideoWriter.h>

using namespace vellum;
using namespace vellum::sg;
using vellum::testing::errorNumberOf;

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
    const QImage inside =
        factory->CreateOffscreenPicture(origin.x() + 10, origin.y() + 10, 8, 8, 0);
    EXPECT_EQ(inside.format(), QImage::Format_RGB32);
    EXPECT_EQ(inside.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(inside.pixel(7, 7), qRgb(255, 0, 0));
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

std::array<QImage, 8> noisyPictures(QSize size, QImage::Format format)
{
    QRandomGenerator random(7);
    std::array<QImage, 8> pictures;
    for (QImage& picture : pictures) {
        picture = QImage(size, format);
        for (qsizetype i = 0; i < picture.sizeInBytes(); ++i)
            picture.bits()[i] = std::uint8_t(random.bounded(256));
    }
    return pictures;
}

TEST(BlendPictures, MatchesAPlainMeanPerChannelWithinOne)
{
    SceneGraph graph;
    const auto render = graph.CreateRenderUtility();
    // An odd width leaves bytes for the scalar tail after the 16-byte steps.
    for (QSize size : {QSize(37, 5), QSize(64, 48)}) {
        const std::array<QImage, 8> pictures = noisyPictures(size, QImage::Format_ARGB32);
        QImage target = pictures[0]; // shares the first picture's data until written
        render->BlendPictures(pictures, target);
        for (qsizetype i = 0; i < target.sizeInBytes(); ++i) {
            int sum = 0;
            for (const QImage& picture : pictures)
                sum += picture.constBits()[i];
            ASSERT_NEAR(target.constBits()[i], sum / 8.0, 1.0) << "byte " << i;
        }
        EXPECT_NE(pictures[0].constBits(), target.constBits()) << "the source was written";
    }
    const QImage still = noisyPictures(QSize(37, 5), QImage::Format_RGB32)[3];
    QImage blended(still.size(), still.format());
    render->BlendPictures({still, still, still, still, still, still, still, still}, blended);
    EXPECT_EQ(blended, still) << "what does not move stays exact";
}

TEST(BlendPictures, RefusesMissingOrMismatchedPictures)
{
    SceneGraph graph;
    const auto render = graph.CreateRenderUtility();
    const std::array<QImage, 8> good = noisyPictures(QSize(8, 8), QImage::Format_RGB32);
    struct Row
    {
        const char* name;
        std::function<void(std::array<QImage, 8>&, QImage&)> spoil;
        int number;
    };
    const Row rows[] = {
        {"missing slot", [](auto& p, QImage&) { p[3] = QImage(); }, ErrorNumber::ObjectRequired},
        {"other size", [](auto& p, QImage&) { p[7] = p[7].scaled(9, 8); },
         ErrorNumber::InvalidPropertyValue},
        {"other format",
         [](auto& p, QImage&) { p[1] = p[1].convertToFormat(QImage::Format_ARGB32); },
         ErrorNumber::InvalidPropertyValue},
        {"16-bit target", [](auto&, QImage& t) { t = t.convertToFormat(QImage::Format_RGB16); },
         ErrorNumber::InvalidPropertyValue},
    };
    for (const Row& row : rows) {
        std::array<QImage, 8> pictures = good;
        QImage target = good[0].copy();
        row.spoil(pictures, target);
        EXPECT_EQ(errorNumberOf([&] { render->BlendPictures(pictures, target); }), row.number)
            << row.name;
    }
}

TEST(AppUtility, SplitsPathsAndAnswersTheSaveDialog)
{
    AppUtility utility(QStringLiteral("/dev/null"));
    // The path, then its base name|folder|extension.
    for (const auto& [path, parts] :
         {std::pair("/out/walk.bmp", "walk|/out/|bmp"),
          std::pair("/my films/a.b.avi", "a.b|/my films/|avi"), std::pair("walk", "walk||")}) {
        QString base, folder, extension;
        utility.SplitPath(QString::fromLatin1(path), base, folder, extension);
        EXPECT_EQ(QStringList({base, folder, extension}).join(u'|'), QString::fromLatin1(parts));
    }

    QStringList asked;
    QString answer = QStringLiteral("/tmp/x/out.avi");
    utility.answerSaveDialog([&](const QString& description, const QString& extension) {
        asked << description + QLatin1Char('|') + extension;
        return answer;
    });
    QString fileName;
    std::int32_t result = 0;
    utility.ShowSaveDialog(nullptr, fileName, QStringLiteral("AVI Animation"),
                           QStringLiteral("avi"), true, result);
    EXPECT_EQ(std::tuple(result, fileName, utility.dialogFolder()),
              std::tuple(5, answer, QStringLiteral("/tmp/x")));
    answer.clear();
    utility.ShowSaveDialog(nullptr, fileName, QStringLiteral("AVI Animation"),
                           QStringLiteral("avi"), true, result);
    EXPECT_NE(result, 5);
    EXPECT_EQ(asked.size(), 2);
}

// ffprobe's view of the first video stream: codec, size, rate and the counted frames.
QString probe(const QString& file)
{
    QProcess ffprobe;
    ffprobe.start(QStringLiteral("ffprobe"),
                  QStringLiteral("-v error -count_frames -select_streams v:0 -show_entries "
                                 "stream=codec_name,width,height,r_frame_rate,nb_read_frames "
                                 "-of csv=p=0")
                          .split(u' ')
                      << file);
    ffprobe.waitForFinished(30000);
    return QString::fromUtf8(ffprobe.readAllStandardOutput()).trimmed();
}

QImage gradient(QSize size, int shade)
{
    QImage picture(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            picture.setPixel(x, y, qRgb((x * 4 + shade) % 256, y * 5 % 256, shade));
    return picture;
}

TEST(VideoWriter, WritesOneFramePerCallAtTheRateInTheContainerOfTheExtension)
{
    if (QStandardPaths::findExecutable(QStringLiteral("ffprobe")).isEmpty())
        GTEST_SKIP() << "no ffprobe on this machine";
    QTemporaryDir folder;
    SceneGraph graph;
    const auto graphics = graph.CreateGraphicsUtility();
    for (const auto& [name, codec] :
         {std::pair("with space.avi", "mjpeg"), std::pair("clip.mp4", "h264"),
          std::pair("clip.mkv", "h264")}) {
        const QString file = folder.filePath(QString::fromLatin1(name));
        graphics->AviOpen(file, gradient(QSize(64, 48), 0), 15);
        for (int frame = 0; frame < 12; ++frame)
            graphics->AviAddFrame(gradient(QSize(64, 48), frame * 20), frame);
        graphics->AviClose();
        EXPECT_EQ(probe(file), QString::fromLatin1(codec) + QStringLiteral(",64,48,15/1,12"))
            << name;
    }
    graphics->AviClose(); // nothing open: harmless
}

TEST(VideoWriter, RefusesWhatItCannotWriteAndLeavesNoBrokenFile)
{
    QTemporaryDir folder;
    SceneGraph graph;
    const auto graphics = graph.CreateGraphicsUtility();
    const QImage frame = gradient(QSize(32, 32), 0);
    const QString file = folder.filePath(QStringLiteral("b.avi"));
    const std::pair<int, std::function<void()>> rows[] = {
        {ErrorNumber::PathFileAccess,
         [&] { graphics->AviOpen(folder.filePath(QStringLiteral("no/dir/a.avi")), frame, 15); }},
        {ErrorNumber::InvalidProcedureCall, [&] { graphics->AviAddFrame(frame, 0); }},
        {ErrorNumber::InvalidPropertyValue, [&] { graphics->AviOpen(file, frame, 0); }},
        {0,
         [&] {
             graphics->AviOpen(file, frame, 15);
             graphics->AviAddFrame(frame, 0);
         }},
        {ErrorNumber::ObjectNotSet, [&] { graphics->AviAddFrame(QImage(), 1); }},
        {ErrorNumber::InvalidPropertyValue,
         [&] { graphics->AviAddFrame(frame.scaled(16, 16), 1); }},
    };
    for (const auto& [number, call] : rows)
        EXPECT_EQ(errorNumberOf(call), number);
    graphics->AviClose();
    EXPECT_TRUE(QFile::exists(file)) << "refused arguments do not spoil the file";

    // A disk that fills up: frames are encoded beside the caller, so the failure reaches a later
    // AviAddFrame or AviClose, and no file is left behind.
    const QString full = folder.filePath(QStringLiteral("full.avi"));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/full"), full));
    const std::array<QImage, 8> noise = noisyPictures(QSize(320, 240), QImage::Format_RGB32);
    int number = 0;
    graphics->AviOpen(full, noise[0], 15);
    for (int index = 0; index < 40 && number == 0; ++index)
        number = errorNumberOf([&] { graphics->AviAddFrame(noise[index % 8], index); });
    const int closing = errorNumberOf([&] { graphics->AviClose(); });
    EXPECT_EQ(number != 0 ? number : closing, ErrorNumber::PathFileAccess);
    EXPECT_FALSE(QFileInfo(full).isSymLink()) << "the broken recording is removed";
}

} // namespace
