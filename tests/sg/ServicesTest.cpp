// The service objects the panel creates from the scene graph: the log and pictures; what a
// recording uses: the motion-blur blend, paths, the save dialog's answer and the video writer
// (checked with ffprobe) with its job pipeline; what the raytracer bridge uses: the process
// runner, the raytracer's path, the library folders and the scene's folder.
#include "ErrorNumber.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QWidget>
#include <functional>
#include <future>
#include <gtest/gtest.h>
#include <numeric>
#include <outside/Platform.h>
#include <sg/AppUtility.h>
#include <sg/CommandLineProcess.h>
#include <sg/GraphicsUtility.h>
#include <sg/JobPipeline.h>
#include <sg/PictureFactory.h>
#include <sg/RenderUtility.h>
#include <sg/SceneGraph.h>
#include <sg/VideoWriter.h>

using namespace vellum;
using namespace vellum::sg;
using namespace Qt::StringLiterals;
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
    const QString text = QString::fromUtf8(file.readAll());
    const QString stamp = QStringLiteral("\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\\.\\d{3} ");
    EXPECT_TRUE(
        QRegularExpression(QStringLiteral("^%1Animation panel started\\n%1second\\n$").arg(stamp))
            .match(text)
            .hasMatch())
        << text.toStdString();
    EXPECT_EQ(std::static_pointer_cast<AppUtility>(first)->lines(), text.split(u'\n').mid(0, 1));
}

TEST(Pictures, GrabTheWidgetsCoveringTheRectangleElseBlackAndFindScreenPositions)
{
    SceneGraph graph;
    const auto factory = graph.CreatePictureFactory();

    QImage black(64, 48, QImage::Format_RGB32);
    black.fill(Qt::black);
    EXPECT_EQ(factory->CreateOffscreenPicture(0, 0, 64, 48, 0), black);

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
    const QImage inside =
        factory->CreateOffscreenPicture(origin.x() + 10, origin.y() + 10, 8, 8, 0);
    EXPECT_EQ(std::tuple(half.pixel(30, 10), half.pixel(5, 10), inside.pixel(0, 0),
                         inside.pixel(7, 7), inside.format()),
              std::tuple(qRgb(255, 0, 0), qRgb(0, 0, 0), qRgb(255, 0, 0), qRgb(255, 0, 0),
                         QImage::Format_RGB32));
    EXPECT_THROW(factory->CreateOffscreenPicture(0, 0, 0, 10, 0), Error);
    std::int32_t x = 0, y = 0;
    graph.CreateGraphicsUtility()->ScreenPosition(&window, x, y);
    EXPECT_EQ(QPoint(x, y), origin);
    EXPECT_THROW(graph.CreateGraphicsUtility()->ScreenPosition(nullptr, x, y), Error);

    graph.setRenderingRectangle(QRect(10, 20, 640, 480));
    std::int32_t left = 0, top = 0, width = 0, height = 0;
    factory->MaximumDimensions(left, top, width, height);
    EXPECT_EQ(QRect(left, top, width, height), QRect(10, 20, 640, 480));
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

TEST(BlendPictures, MatchesAPlainMeanPerChannelWithinOneAndRefusesMismatches)
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

    // Missing or mismatched pictures are refused.
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
    const auto openAndAdd = [&] {
        graphics->AviOpen(file, frame, 15);
        graphics->AviAddFrame(frame, 0);
    };
    const std::pair<int, std::function<void()>> rows[] = {
        // clang-format off
        {ErrorNumber::PathFileAccess, [&] { graphics->AviOpen(folder.filePath(QStringLiteral("no/dir/a.avi")), frame, 15); }},
        {ErrorNumber::InvalidProcedureCall, [&] { graphics->AviAddFrame(frame, 0); }},
        {ErrorNumber::InvalidPropertyValue, [&] { graphics->AviOpen(file, frame, 0); }},
        {0, openAndAdd},
        {ErrorNumber::ObjectNotSet, [&] { graphics->AviAddFrame(QImage(), 1); }},
        {ErrorNumber::InvalidPropertyValue, [&] { graphics->AviAddFrame(frame.scaled(16, 16), 1); }},
        // clang-format on
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

TEST(JobPipeline, RunsJobsInOrderAndTheFirstFailureStopsTheRestAndReachesTheCaller)
{
    JobPipeline pipeline(2);
    std::vector<int> done;
    for (int i = 0; i < 50; ++i)
        pipeline.submit([&done, i] { done.push_back(i); });
    pipeline.wait();
    std::vector<int> expected(50);
    std::iota(expected.begin(), expected.end(), 0);
    EXPECT_EQ(done, expected);

    std::promise<void> started;
    std::promise<void> gate;
    pipeline.submit([&started, opened = gate.get_future().share()] {
        started.set_value();
        opened.wait();
    });
    started.get_future().wait(); // the queue is empty again: two more jobs fit
    pipeline.submit([] { throw Error(ErrorNumber::PathFileAccess, QStringLiteral("disk full")); });
    bool droppedRan = false;
    pipeline.submit([&] { droppedRan = true; });
    gate.set_value();
    EXPECT_EQ(errorNumberOf([&] { pipeline.wait(); }), ErrorNumber::PathFileAccess);
    EXPECT_EQ(errorNumberOf([&] { pipeline.submit([] {}); }), ErrorNumber::PathFileAccess);
    EXPECT_FALSE(droppedRan);
}

TEST(CommandLineSplit, QuotesGroupAndNothingIsExpanded)
{
    const std::pair<const char*, QStringList> rows[] = {
        {"a  b\tc", {u"a"_s, u"b"_s, u"c"_s}},
        {"'/x y/p ray' '\"/t m/i.ini\"'", {u"/x y/p ray"_s, u"\"/t m/i.ini\""_s}},
        {"\"a \\\"b\\\" \\\\\" $HOME *", {u"a \"b\" \\"_s, u"$HOME"_s, u"*"_s}},
        {"'it'\"'\"'s' ''", {u"it's"_s, QString()}},
    };
    for (const auto& [line, words] : rows)
        EXPECT_EQ(splitCommandLine(QString::fromUtf8(line)), words) << line;
    for (const char* refused : {"", "   ", "'open", "a \"b"})
        EXPECT_THROW(splitCommandLine(QString::fromUtf8(refused)), Error) << refused;
}

TEST(ShellAndWait, RunsPathsWithBlanksKeepsOutputAndRefusesWhatCannotRun)
{
    QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/with blanks XXXXXX"));
    const QString script = folder.filePath(QStringLiteral("echo args.sh"));
    QFile file(script);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("#!/bin/sh\nfor a in \"$@\"; do echo \"[$a]\"; done\nexit 3\n");
    file.close();
    file.setPermissions(file.permissions() | QFileDevice::ExeOwner);

    SceneGraph graph;
    graph.setLogPath(folder.filePath(QStringLiteral("vellum.log")));
    RenderUtility render(&graph);
    EXPECT_EQ(render.ShellAndWait(QStringLiteral("'%1' 'one two' three").arg(script), true), 3);
    EXPECT_EQ(render.lastOutput(), QByteArray("[one two]\n[three]\n"));
    EXPECT_TRUE(QFile::exists(graph.logPath())) << "a failed run is logged";

    EXPECT_THROW(render.ShellAndWait(folder.filePath(QStringLiteral("missing")), true), Error);
    EXPECT_THROW(render.ShellAndWait(QString(), true), Error);
    render.setProcessTimeoutMs(100);
    EXPECT_THROW(render.ShellAndWait(QStringLiteral("sleep 5"), true), Error);
}

TEST(Paths, RaytracerFromTheSettingElseOnPathSceneFolderFromTheFileLibraryFoldersWithASeparator)
{
    QTemporaryDir folder;
    SceneGraph graph;
    const auto app = graph.CreateAppUtility();
    const QString key = graph.applicationState()->RegistryKey();
    const auto choose = [&](const QString& path) {
        outside::platform().SaveSetting(key, QStringLiteral("Application"),
                                        AppUtility::raytracerPathKey(), path);
    };
    // The setting, and the path it gives.
    const std::pair<QString, QString> rows[] = {
        {QString(), QStandardPaths::findExecutable(QStringLiteral("povray"))},
        {QStringLiteral("sh"), QStandardPaths::findExecutable(QStringLiteral("sh"))},
        {folder.filePath(QStringLiteral("not-there")), QString()}};
    for (const auto& [setting, path] : rows) {
        choose(setting);
        EXPECT_EQ(app->RaytracerPath(), path) << setting.toStdString();
    }
    choose(QString());

    // The scene's folder follows its file; library folders end in a separator.
    auto state = graph.applicationState();
    QStringList paths{state->ScenePath()};
    const QString file = folder.filePath(QStringLiteral("a scene.json"));
    graph.saveScene(file);
    paths << state->ScenePath();
    graph.newScene();
    paths << state->ScenePath();
    graph.openScene(file);
    paths << state->ScenePath();
    const QString inFolder = folder.path() + QLatin1Char('/');
    EXPECT_EQ(paths, QStringList({QString(), inFolder, QString(), inFolder}));

    graph.setLibraryPaths({QStringLiteral("/textures"), QStringLiteral("/inc/")});
    QStringList folders{QStringLiteral("stale")};
    std::int32_t count = -1;
    graph.LibraryPaths(folders, count);
    EXPECT_EQ(folders.mid(0, 2), QStringList({u"/textures/"_s, u"/inc/"_s}));
    EXPECT_EQ(count, folders.size());
}

} // namespace
