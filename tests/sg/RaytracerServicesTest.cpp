// What the raytracer bridge asks of the scene graph: the process runner, the raytracer's path,
// the library folders and the scene's folder.
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <outside/Platform.h>
#include <sg/AppUtility.h>
#include <sg/CommandLineProcess.h>
#include <sg/RenderUtility.h>
#include <sg/SceneGraph.h>

using namespace vellum;
using namespace vellum::sg;
using namespace Qt::StringLiterals;

namespace {

TEST(CommandLineSplit, QuotesGroupAndNothingIsExpanded)
{
    struct Row
    {
        const char* line;
        QStringList words;
    };
    const Row rows[] = {
        {"a  b\tc", {u"a"_s, u"b"_s, u"c"_s}},
        {"'/x y/p ray' '\"/t m/i.ini\"'", {u"/x y/p ray"_s, u"\"/t m/i.ini\""_s}},
        {"\"a \\\"b\\\" \\\\\" $HOME *", {u"a \"b\" \\"_s, u"$HOME"_s, u"*"_s}},
        {"'it'\"'\"'s' ''", {u"it's"_s, QString()}},
    };
    for (const Row& row : rows)
        EXPECT_EQ(splitCommandLine(QString::fromUtf8(row.line)), row.words) << row.line;
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

TEST(RaytracerPath, ChosenSettingElsePovrayOnPath)
{
    QTemporaryDir folder;
    SceneGraph graph;
    const auto app = graph.CreateAppUtility();
    const QString key = graph.applicationState()->RegistryKey();
    const auto choose = [&](const QString& path) {
        outside::platform().SaveSetting(key, QStringLiteral("Application"),
                                        AppUtility::raytracerPathKey(), path);
    };

    choose(QString());
    EXPECT_EQ(app->RaytracerPath(), QStandardPaths::findExecutable(QStringLiteral("povray")));
    choose(QStringLiteral("sh"));
    EXPECT_EQ(app->RaytracerPath(), QStandardPaths::findExecutable(QStringLiteral("sh")));
    choose(folder.filePath(QStringLiteral("not-there")));
    EXPECT_EQ(app->RaytracerPath(), QString());
    choose(QString());
    EXPECT_EQ(app->ShortPath(QStringLiteral("/a b/c")), QStringLiteral("/a b/c"));
}

TEST(SceneFolders, ScenePathFollowsTheFileAndLibraryFoldersEndInASeparator)
{
    QTemporaryDir folder;
    SceneGraph graph;
    auto state = graph.applicationState();
    EXPECT_EQ(state->ScenePath(), QString());
    const QString file = folder.filePath(QStringLiteral("a scene.json"));
    graph.saveScene(file);
    EXPECT_EQ(state->ScenePath(), folder.path() + QLatin1Char('/'));
    graph.newScene();
    EXPECT_EQ(state->ScenePath(), QString());
    graph.openScene(file);
    EXPECT_EQ(state->ScenePath(), folder.path() + QLatin1Char('/'));

    graph.setLibraryPaths({QStringLiteral("/textures"), QStringLiteral("/inc/")});
    QStringList folders{QStringLiteral("stale")};
    std::int32_t count = -1;
    graph.LibraryPaths(folders, count);
    EXPECT_EQ(folders.mid(0, 2), QStringList({u"/textures/"_s, u"/inc/"_s}));
    EXPECT_EQ(count, folders.size());
}

} // namespace
