// The services a recording uses: the motion-blur blend, paths and the save dialog's answer, and
// the video writer checked with ffprobe.
#include "ErrorNumber.h"

#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <sg/AppUtility.h>
#include <sg/GraphicsUtility.h>
#include <sg/RenderUtility.h>
#include <sg/SceneGraph.h>
#include <sg/VideoWriter.h>

using namespace vellum;
using namespace vellum::sg;
using vellum::testing::errorNumberOf;

namespace {

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
    struct Row
    {
        QString path, base, folder, extension;
    } rows[] = {
        {QStringLiteral("/out/walk.bmp"), QStringLiteral("walk"), QStringLiteral("/out/"),
         QStringLiteral("bmp")},
        {QStringLiteral("/my films/a.b.avi"), QStringLiteral("a.b"), QStringLiteral("/my films/"),
         QStringLiteral("avi")},
        {QStringLiteral("walk"), QStringLiteral("walk"), QString(), QString()},
    };
    for (const Row& row : rows) {
        QString base, folder, extension;
        utility.SplitPath(row.path, base, folder, extension);
        EXPECT_EQ(QStringList({base, folder, extension}),
                  QStringList({row.base, row.folder, row.extension}))
            << row.path.toStdString();
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
    EXPECT_EQ(result, 5);
    EXPECT_EQ(fileName, answer);
    EXPECT_EQ(utility.dialogFolder(), QStringLiteral("/tmp/x"));
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
                  {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-count_frames"),
                   QStringLiteral("-select_streams"), QStringLiteral("v:0"),
                   QStringLiteral("-show_entries"),
                   QStringLiteral("stream=codec_name,width,height,r_frame_rate,nb_read_frames"),
                   QStringLiteral("-of"), QStringLiteral("csv=p=0"), file});
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
    struct Row
    {
        QString name, expected;
    } rows[] = {
        {QStringLiteral("with space.avi"), QStringLiteral("mjpeg,64,48,15/1,12")},
        {QStringLiteral("clip.mp4"), QStringLiteral("h264,64,48,15/1,12")},
        {QStringLiteral("clip.mkv"), QStringLiteral("h264,64,48,15/1,12")},
    };
    for (const Row& row : rows) {
        const QString file = folder.filePath(row.name);
        graphics->AviOpen(file, gradient(QSize(64, 48), 0), 15);
        for (int frame = 0; frame < 12; ++frame)
            graphics->AviAddFrame(gradient(QSize(64, 48), frame * 20), frame);
        graphics->AviClose();
        EXPECT_EQ(probe(file), row.expected) << row.name.toStdString();
    }
    graphics->AviClose(); // nothing open: harmless
}

TEST(VideoWriter, RefusesWhatItCannotWriteAndLeavesNoBrokenFile)
{
    QTemporaryDir folder;
    SceneGraph graph;
    const auto graphics = graph.CreateGraphicsUtility();
    const QImage frame = gradient(QSize(32, 32), 0);
    EXPECT_EQ(errorNumberOf([&] {
                  graphics->AviOpen(folder.filePath(QStringLiteral("no/such/dir/a.avi")), frame,
                                    15);
              }),
              ErrorNumber::PathFileAccess);
    EXPECT_EQ(errorNumberOf([&] { graphics->AviAddFrame(frame, 0); }),
              ErrorNumber::InvalidProcedureCall);
    EXPECT_EQ(errorNumberOf(
                  [&] { graphics->AviOpen(folder.filePath(QStringLiteral("a.avi")), frame, 0); }),
              ErrorNumber::InvalidPropertyValue);

    const QString file = folder.filePath(QStringLiteral("b.avi"));
    graphics->AviOpen(file, frame, 15);
    graphics->AviAddFrame(frame, 0);
    EXPECT_EQ(errorNumberOf([&] { graphics->AviAddFrame(QImage(), 1); }),
              ErrorNumber::ObjectNotSet);
    EXPECT_EQ(errorNumberOf([&] { graphics->AviAddFrame(frame.scaled(16, 16), 1); }),
              ErrorNumber::InvalidPropertyValue);
    graphics->AviClose();
    EXPECT_TRUE(QFile::exists(file)) << "refused arguments do not spoil the file";
}

} // namespace
