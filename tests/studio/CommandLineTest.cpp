#include "CommandLine.h"

#include <gtest/gtest.h>

using namespace vellum::studio;

namespace {

struct CommandLineRow
{
    const char* name;
    QStringList arguments;
    bool accepted;
    QString sceneFile;
    QString screenshotFile;
    std::optional<int> frame;
};

class CommandLineTest : public ::testing::TestWithParam<CommandLineRow>
{};

ParsedCommandLine parse(const QStringList& arguments)
{
    return parseCommandLine(QStringList{QStringLiteral("vellum-studio")} + arguments);
}

} // namespace

TEST_P(CommandLineTest, Parses)
{
    const CommandLineRow& row = GetParam();
    const ParsedCommandLine parsed = parse(row.arguments);
    ASSERT_EQ(parsed.options.has_value(), row.accepted) << qPrintable(parsed.error);
    if (!row.accepted) {
        EXPECT_FALSE(parsed.error.isEmpty());
        return;
    }
    EXPECT_EQ(parsed.options->sceneFile, row.sceneFile);
    EXPECT_EQ(parsed.options->screenshotFile, row.screenshotFile);
    EXPECT_EQ(parsed.options->frame, row.frame);
}

INSTANTIATE_TEST_SUITE_P(
    Studio, CommandLineTest,
    ::testing::Values(
        CommandLineRow{"Nothing", {}, true, {}, {}, {}},
        CommandLineRow{
            "SceneFile", {QStringLiteral("a b.json")}, true, QStringLiteral("a b.json"), {}, {}},
        CommandLineRow{"ScreenshotAtFrame",
                       {QStringLiteral("--screenshot"), QStringLiteral("/tmp/s.png"),
                        QStringLiteral("--frame"), QStringLiteral("40")},
                       true,
                       {},
                       QStringLiteral("/tmp/s.png"),
                       40},
        CommandLineRow{"FrameNotANumber",
                       {QStringLiteral("--frame"), QStringLiteral("forty")},
                       false,
                       {},
                       {},
                       {}},
        CommandLineRow{"NegativeFrame", {QStringLiteral("--frame=-1")}, false, {}, {}, {}},
        CommandLineRow{
            "TwoScenes", {QStringLiteral("a.json"), QStringLiteral("b.json")}, false, {}, {}, {}},
        CommandLineRow{"UnknownOption", {QStringLiteral("--record")}, false, {}, {}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CommandLine, StartsOnePlaybackSelectsAndQuitsWhenAsked)
{
    const ParsedCommandLine full = parse({QStringLiteral("--play-full-screen"),
                                          QStringLiteral("--quit-after"), QStringLiteral("2.5")});
    ASSERT_TRUE(full.options) << qPrintable(full.error);
    EXPECT_EQ(full.options->startButton, QStringLiteral("cmdPlayFullScreen"));
    EXPECT_EQ(full.options->quitAfterSeconds, 2.5);

    const ParsedCommandLine ghost = parse({QStringLiteral("--ghost")});
    ASSERT_TRUE(ghost.options);
    EXPECT_EQ(ghost.options->startButton, QStringLiteral("cmdPlayGhost"));
    EXPECT_FALSE(ghost.options->quitAfterSeconds);

    EXPECT_FALSE(parse({QStringLiteral("--play"), QStringLiteral("--ghost")}).options);
    EXPECT_FALSE(parse({QStringLiteral("--quit-after"), QStringLiteral("soon")}).options);
    EXPECT_FALSE(parse({QStringLiteral("--quit-after=-1")}).options);

    const ParsedCommandLine both = parse(
        {QStringLiteral("--select-group"), QStringLiteral("3"), QStringLiteral("--timeline")});
    ASSERT_TRUE(both.options.has_value()) << qPrintable(both.error);
    EXPECT_EQ(both.options->selectGroup, 3);
    EXPECT_TRUE(both.options->showTimeline);

    const ParsedCommandLine neither = parse({});
    ASSERT_TRUE(neither.options.has_value());
    EXPECT_FALSE(neither.options->selectGroup.has_value());
    EXPECT_FALSE(neither.options->showTimeline);

    const ParsedCommandLine operations =
        parse({QStringLiteral("--select-operations"), QStringLiteral("3")});
    ASSERT_TRUE(operations.options.has_value()) << qPrintable(operations.error);
    EXPECT_EQ(operations.options->selectOperationsOf, 3);
    EXPECT_FALSE(operations.options->selectGroup.has_value());

    for (const QString& bad : {QStringLiteral("0"), QStringLiteral("wheel")}) {
        for (const QString& option :
             {QStringLiteral("--select-group"), QStringLiteral("--select-operations")}) {
            const ParsedCommandLine refused = parse({option, bad});
            EXPECT_FALSE(refused.options.has_value()) << qPrintable(option + bad);
            EXPECT_TRUE(refused.error.contains(option)) << qPrintable(refused.error);
        }
    }
}
