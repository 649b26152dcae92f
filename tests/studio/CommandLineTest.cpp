#include "CommandLine.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <vector>

using namespace vellum::studio;

namespace {

// What a parse gave, in words: only what differs from a bare start.
QString described(const StudioOptions& o)
{
    QStringList words;
    const auto word = [&words](bool on, const QString& text) {
        if (on)
            words << text;
    };
    word(!o.sceneFile.isEmpty(), o.sceneFile);
    word(!o.screenshotFile.isEmpty(), QStringLiteral("screenshot ") + o.screenshotFile);
    word(o.frame.has_value(), QStringLiteral("frame %1").arg(o.frame.value_or(0)));
    word(!o.startButton.isEmpty(), o.startButton);
    word(o.quitAfterSeconds.has_value(),
         QStringLiteral("quit %1").arg(o.quitAfterSeconds.value_or(0)));
    word(o.selectGroup.has_value(), QStringLiteral("group %1").arg(o.selectGroup.value_or(0)));
    word(o.selectOperationsOf.has_value(),
         QStringLiteral("operations %1").arg(o.selectOperationsOf.value_or(0)));
    word(o.showTimeline, QStringLiteral("timeline"));
    if (const auto& r = o.recording) {
        words << QStringLiteral("%1 %2x%3 %4fps aa%5")
                     .arg(r->snapshot ? u"snapshot" : u"record")
                     .arg(r->size.width())
                     .arg(r->size.height())
                     .arg(r->framesPerSecond)
                     .arg(r->antiAlias);
        word(r->motionBlur, QStringLiteral("blur"));
        word(r->images, QStringLiteral("images"));
        word(r->raytrace, QStringLiteral("raytrace"));
        if (r->range)
            words << QStringLiteral("range %1-%2").arg(r->range->first).arg(r->range->second);
    }
    if (const auto& f = o.farm)
        words << QStringLiteral("farm %1 in %2 cpus %3 throttle %4")
                     .arg(f->partition.isEmpty() ? QStringLiteral("default") : f->partition,
                          f->sharedFolder)
                     .arg(f->cpusPerTask)
                     .arg(f->throttle);
    word(o.unattended(), QStringLiteral("unattended"));
    return words.join(u' ');
}

// Arguments are split at spaces; OUT is a writable video path in DIR, MISSING one in no folder.
// A row without a description is a command line that must be refused.
TEST(CommandLine, ParsesWhatItCanRunAndRefusesTheRest)
{
    QTemporaryDir folder;
    std::vector<std::pair<const char*, const char*>> rows = {
        // clang-format off
        {"", ""},
        {"scene.json", "scene.json"},
        {"--screenshot /tmp/s.png --frame 40", "screenshot /tmp/s.png frame 40 unattended"},
        {"--play-full-screen --quit-after 2.5", "cmdPlayFullScreen quit 2.5 unattended"},
        {"--ghost", "cmdPlayGhost"},
        {"--select-group 3 --timeline", "group 3 timeline"},
        {"--select-operations 3", "operations 3"},
        {"--record OUT --size 640x480 --fps 24 --anti-alias 2 --motion-blur --images",
         "record 640x480 24fps aa2 blur images unattended"},
        {"--snapshot OUT --raytrace --size 64x48", "snapshot 64x48 15fps aa0 raytrace unattended"},
        {"--record OUT --range 40-95", "record 320x240 15fps aa0 range 40-95 unattended"},
        {"--record OUT --raytrace --farm slurm:gpu --farm-cpus 2 --farm-throttle 4",
         "record 320x240 15fps aa0 raytrace farm gpu in DIR cpus 2 throttle 4 unattended"},
        {"--record OUT --raytrace --farm slurm",
         "record 320x240 15fps aa0 raytrace farm default in DIR cpus 1 throttle 0 unattended"},
        // clang-format on
    };
    // clang-format off
    for (const char* refused : {
             "--frame forty", "--frame=-1", "a.json b.json", "--record", "--play --ghost",
             "--quit-after soon", "--quit-after=-1", "--select-group 0", "--select-group wheel",
             "--select-operations 0", "--select-operations wheel", "--record OUT --size 640",
             "--record OUT --size 5x5", "--record OUT --size axb", "--record OUT --fps 0",
             "--record OUT --fps -", "--record OUT --anti-alias 3", "--record MISSING", "--fps 15",
             "--raytrace", "--snapshot OUT --record OUT", "--snapshot OUT --images",
             "--record OUT --farm slurm", "--record OUT --raytrace --images --farm slurm",
             "--record OUT --raytrace --farm pbs", "--record OUT --raytrace --farm-dir /tmp",
             "--record OUT --raytrace --farm slurm --farm-cpus 0", "--range 0-9",
             "--record OUT --range 9-3", "--record OUT --range 9", "--record OUT --range -9"})
        // clang-format on
        rows.push_back({refused, nullptr});
    for (const auto& [line, description] : rows) {
        SCOPED_TRACE(line);
        QStringList arguments{QStringLiteral("vellum-studio")};
        for (const QString& argument : QString::fromLatin1(line).split(u' ', Qt::SkipEmptyParts))
            arguments << (argument == u"OUT"       ? folder.filePath(QStringLiteral("a.avi"))
                          : argument == u"MISSING" ? folder.filePath(QStringLiteral("no/a.avi"))
                                                   : argument);
        const ParsedCommandLine parsed = parseCommandLine(arguments);
        ASSERT_EQ(parsed.options.has_value(), description != nullptr) << qPrintable(parsed.error);
        if (description)
            EXPECT_EQ(described(*parsed.options).replace(folder.path(), QStringLiteral("DIR")),
                      QLatin1String(description));
        else if (arguments.value(1).startsWith(u"--select"))
            EXPECT_TRUE(parsed.error.contains(arguments.value(1))) << qPrintable(parsed.error);
        else
            EXPECT_FALSE(parsed.error.isEmpty());
    }
}

} // namespace
