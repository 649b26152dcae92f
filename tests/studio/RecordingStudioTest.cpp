// Recording the demo scene for real through the panel's record button, as the command line
// does it: the video checked with ffprobe, and motion blur checked against the sub-frames it
// blends.
#include "HeadlessRecording.h"
#include "MainWindow.h"
#include "RecordingChecks.h"

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sg/RenderUtility.h>
#include <sg/SceneGraph.h>

using namespace vellum;
using namespace vellum::studio;

namespace {

QImage frameOf(const QString& folder, const QString& name)
{
    QImage image(QDir(folder).filePath(name));
    return image.convertToFormat(QImage::Format_RGB32);
}

TEST(RecordingStudio, TheDemoBecomesAVideoOfEveryFrameOfItsRangeAtTheChosenRate)
{
    if (QStandardPaths::findExecutable(QStringLiteral("ffprobe")).isEmpty())
        GTEST_SKIP() << "no ffprobe on this machine";
    QTemporaryDir folder;
    // 100 frames at 10 keys per second: 10 seconds, 151 frames at 15 per second; frames 40 to 95
    // at 2 per second are 12.
    for (const auto& [range, fps, expected] :
         {std::tuple{std::optional<std::pair<int, int>>{}, 15, "mjpeg,160,120,15/1,151"},
          {std::pair(40, 95), 2, "mjpeg,160,120,2/1,12"}}) {
        MainWindow window;
        const RecordingRequest request{.file = folder.filePath(QStringLiteral("demo walk.avi")),
                                       .size = QSize(160, 120),
                                       .framesPerSecond = fps,
                                       .range = range};
        ASSERT_EQ(recordHeadless(window, request), 0);
        EXPECT_EQ(probe(request.file), QLatin1String(expected));
    }
    MainWindow window;
    EXPECT_NE(recordHeadless(window, {.file = folder.filePath(QStringLiteral("past the end.avi")),
                                      .range = std::pair(0, 101)}),
              0);
    EXPECT_FALSE(QFileInfo::exists(folder.filePath(QStringLiteral("past the end.avi"))));
}

TEST(RecordingStudio, MotionBlurBlendsTheEightSubFramesOfEachFrame)
{
    QTemporaryDir folder;
    const QString sharp = folder.filePath(QStringLiteral("sharp/s.bmp"));
    const QString blurred = folder.filePath(QStringLiteral("blurred/b.bmp"));
    QDir().mkpath(QFileInfo(sharp).path());
    QDir().mkpath(QFileInfo(blurred).path());
    // Blurred at 5 frames per second, sub-frames fall every quarter frame: the sharp series at
    // 40 frames per second shows each of them.
    for (const auto& [file, fps, blur] : {std::tuple{sharp, 40, false}, {blurred, 5, true}}) {
        MainWindow window;
        const RecordingRequest request{.file = file,
                                       .size = QSize(160, 120),
                                       .framesPerSecond = fps,
                                       .motionBlur = blur,
                                       .images = true,
                                       .range = std::pair(0, 4)};
        ASSERT_EQ(recordHeadless(window, request), 0) << qPrintable(file);
    }
    const QString sharpFolder = QFileInfo(sharp).path();
    const QString blurredFolder = QFileInfo(blurred).path();
    ASSERT_EQ(QDir(sharpFolder).entryList(QDir::Files).size(), 17);
    ASSERT_EQ(QDir(blurredFolder).entryList(QDir::Files).size(), 3);
    EXPECT_EQ(frameOf(blurredFolder, QStringLiteral("b1.bmp")),
              frameOf(sharpFolder, QStringLiteral("s01.bmp")))
        << "the first frame goes out alone";

    // Output frame 2 blends sub-frames 9 to 16: the sharp series' files 10 to 17.
    std::array<QImage, 8> subFrames;
    for (int n = 0; n < 8; ++n)
        subFrames[n] = frameOf(sharpFolder, QStringLiteral("s%1.bmp").arg(n + 10));
    QImage expected(subFrames[0].size(), QImage::Format_RGB32);
    sg::SceneGraph().CreateRenderUtility()->BlendPictures(subFrames, expected);
    const QImage blend = frameOf(blurredFolder, QStringLiteral("b3.bmp"));
    EXPECT_EQ(blend, expected);
    int mixed = 0;
    for (int y = 0; y < blend.height(); ++y)
        for (int x = 0; x < blend.width(); ++x) {
            const QRgb first = subFrames.front().pixel(x, y), last = subFrames.back().pixel(x, y);
            mixed += first != last && blend.pixel(x, y) != first && blend.pixel(x, y) != last;
        }
    EXPECT_GT(mixed, 20) << "moving objects leave a trail of mixed pixels";
}

} // namespace
