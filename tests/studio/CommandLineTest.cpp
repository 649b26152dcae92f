#include "CommandLine.h"

#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

using namespace vellum::studio;

namespace {

// Arguments are split at spaces; OUT is a writable video path, MISSING one in no folder.
// A row without a check is a command line that must be refused.
struct Row
{
    const char* arguments;
    std::function<void(const StudioOptions&)> check = {};
};

TEST(CommandLine, ParsesWhatItCanRunAndRefusesTheRest)
{
    QTemporaryDir folder;
    std::vector<Row> rows = {
        {"",
         [](const StudioOptions& o) {
             EXPECT_TRUE(o.sceneFile.isEmpty() && o.screenshotFile.isEmpty() && !o.frame);
             EXPECT_FALSE(o.selectGroup || o.showTimeline || o.recording);
         }},
        {"scene.json",
         [](const StudioOptions& o) { EXPECT_EQ(o.sceneFile, QStringLiteral("scene.json")); }},
        {"--screenshot /tmp/s.png --frame 40",
         [](const StudioOptions& o) {
             EXPECT_EQ(o.screenshotFile, QStringLiteral("/tmp/s.png"));
             EXPECT_EQ(o.frame, 40);
         }},
        {"--play-full-screen --quit-after 2.5",
         [](const StudioOptions& o) {
             EXPECT_EQ(o.startButton, QStringLiteral("cmdPlayFullScreen"));
             EXPECT_EQ(o.quitAfterSeconds, 2.5);
         }},
        {"--ghost",
         [](const StudioOptions& o) {
             EXPECT_EQ(o.startButton, QStringLiteral("cmdPlayGhost"));
             EXPECT_FALSE(o.quitAfterSeconds);
         }},
        {"--select-group 3 --timeline",
         [](const StudioOptions& o) {
             EXPECT_EQ(o.selectGroup, 3);
             EXPECT_TRUE(o.showTimeline);
         }},
        {"--select-operations 3",
         [](const StudioOptions& o) {
             EXPECT_EQ(o.selectOperationsOf, 3);
             EXPECT_FALSE(o.selectGroup);
         }},
        {"--record OUT --size 640x480 --fps 24 --anti-alias 2 --motion-blur --images",
         [](const StudioOptions& o) {
             ASSERT_TRUE(o.recording);
             const RecordingRequest& r = *o.recording;
             EXPECT_EQ(std::tuple(r.size, r.framesPerSecond, r.antiAlias, r.motionBlur, r.images),
                       std::tuple(QSize(640, 480), 24, 2, true, true));
         }},
        {"--snapshot OUT --raytrace --size 64x48",
         [](const StudioOptions& o) {
             ASSERT_TRUE(o.recording && o.unattended());
             EXPECT_EQ(std::tuple(o.recording->snapshot, o.recording->raytrace, o.recording->size),
                       std::tuple(true, true, QSize(64, 48)));
         }},
    };
    for (const char* refused : {"--frame forty",
                                "--frame=-1",
                                "a.json b.json",
                                "--record",
                                "--play --ghost",
                                "--quit-after soon",
                                "--quit-after=-1",
                                "--select-group 0",
                                "--select-group wheel",
                                "--select-operations 0",
                                "--select-operations wheel",
                                "--record OUT --size 640",
                                "--record OUT --size 5x5",
                                "--record OUT --size axb",
                                "--record OUT --fps 0",
                                "--record OUT --fps -",
                                "--record OUT --anti-alias 3",
                                "--record MISSING",
                                "--fps 15",
                                "--raytrace",
                                "--snapshot OUT --record OUT",
                                "--snapshot OUT --images"})
        rows.push_back({refused});
    for (const Row& row : rows) {
        SCOPED_TRACE(row.arguments);
        QStringList arguments{QStringLiteral("vellum-studio")};
        for (const QString& argument :
             QString::fromLatin1(row.arguments).split(u' ', Qt::SkipEmptyParts))
            arguments << (argument == u"OUT"       ? folder.filePath(QStringLiteral("a.avi"))
                          : argument == u"MISSING" ? folder.filePath(QStringLiteral("no/a.avi"))
                                                   : argument);
        const ParsedCommandLine parsed = parseCommandLine(arguments);
        ASSERT_EQ(parsed.options.has_value(), bool(row.check)) << qPrintable(parsed.error);
        if (row.check)
            row.check(*parsed.options);
        else if (arguments.value(1).startsWith(u"--select"))
            EXPECT_TRUE(parsed.error.contains(arguments.value(1))) << qPrintable(parsed.error);
        else
            EXPECT_FALSE(parsed.error.isEmpty());
    }
}

} // namespace
