// Recording the demo scene for real through the panel's record button, as the command line
// does it: the video checked with ffprobe, and motion blur checked against the sub-frames it
// blends.
#include "HeadlessRecording.h"
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

TEST(RecordingStudio, TheDemoBecomesAVideoOfEveryFrameAtTheChosenRate)
{
    if (QStandardPaths::findExecutable(QStringLiteral("ffprobe")).isEmpty())
        GTEST_SKIP() << "no ffprobe on this machine";
    QTemporaryDir folder;
    MainWindow window;
    const RecordingRequest request{.file = folder.filePath(QStringLiteral("demo walk.avi")),
                                   .size = QSize(160, 120),
                                   .framesPerSecond = 15};
    ASSERT_EQ(recordHeadless(window, request), 0);
    // 100 frames at 10 keys per second: 10 seconds, 151 frames at 15 per second.
    EXPECT_EQ(probe(request.file), QStringLiteral("mjpeg,160,120,15/1,151"));
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
        recordFrames(window, 0, 4);
        const RecordingRequest request{.file = file,
                                       .size = QSize(160, 120),
                                       .framesPerSecond = fps,
                                       .motionBlur = blur,
                                       .images = true};
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
