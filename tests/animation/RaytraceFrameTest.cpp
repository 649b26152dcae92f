// The raytracer bridge against mocked outside components: the INI file, the log, the failure
// table and the clean-up. The real raytracer is driven in the studio's tests.
#include "RaytraceFrame.h"

#include "ModuleState.h"
#include "PanelHarness.h"
#include "RaytraceIni.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <gmock/gmock.h>
#include <string>

using namespace vellum;
using namespace vellum::animation;
using namespace vellum::outside;
using namespace vellum::testing;
using namespace Qt::StringLiterals;
using ::testing::_;
using ::testing::NiceMock;
using ::testing::Return;

namespace {

RaytraceIniInput savedScene(int antiAlias, int libraryFolders)
{
    RaytraceIniInput input{u"C:\\TEMP\\~3DV7.POV"_s, 640, 480, antiAlias, u"C:\\Scenes\\"_s, {}};
    for (int k = 1; k <= libraryFolders; ++k)
        input.libraryPaths.append(u"C:\\Lib%1\\"_s.arg(k));
    return input;
}

TEST(RaytraceIni, LinesInOrderForEachLevelAndLibraryList)
{
    EXPECT_EQ(
        raytraceIniLines(savedScene(1, 1), windowsDialect),
        QStringList({u"Input_File_Name=C:\\TEMP\\~3DV7.POV"_s, u"Width=640"_s, u"Height=480"_s,
                     u"Output_File_Type=S"_s, u"Quality=11"_s, u"Antialias=on"_s,
                     u"Antialias_Depth=2"_s, u"Display=off"_s, u"Library_Path=C:\\Scenes"_s,
                     u"Library_Path=C:\\Lib1"_s, u"Output_File_Name=C:\\TEMP\\~3DV7.bmp"_s}));

    const auto antiAliasLines = [](int level) {
        return raytraceIniLines(savedScene(level, 0), unixDialect).filter(u"Antialias"_s);
    };
    EXPECT_EQ(antiAliasLines(0), QStringList({u"Antialias=off"_s}));
    EXPECT_EQ(antiAliasLines(2), QStringList({u"Antialias=on"_s, u"Antialias_Depth=4"_s}));
    EXPECT_TRUE(raytraceIniLines(savedScene(0, 0), unixDialect).contains(u"Output_File_Type=B"_s));

    RaytraceIniInput many = savedScene(0, 25);
    const QStringList libraries = raytraceIniLines(many).filter(u"Library_Path="_s);
    ASSERT_EQ(libraries.size(), 20);
    EXPECT_EQ(libraries.last(), u"Library_Path=C:\\Lib19"_s);
    EXPECT_EQ(raytraceLibraryLogLines(many).size(), 20);
    EXPECT_EQ(raytraceLibraryLogLines(many).at(19), u"POVRay Library_Path(19)=C:\\Lib19"_s);

    many.scenePath.clear();
    EXPECT_EQ(raytraceIniLines(many).filter(u"Library_Path="_s).size(), 19);
    EXPECT_EQ(raytraceLibraryLogLines(many).first(),
              u"POVRay Library_Path(0)= NULL (gcCSG.ApplicationState.ScenePath=\"\")"_s);

    many.libraryPaths[3].clear();
    EXPECT_THROW(raytraceIniLines(many), Error);
}

TEST(RaytraceIni, NamesAndCommandLines)
{
    EXPECT_EQ(raytraceTempName(u"C:\\TEMP"_s, 42, u".ini"_s, windowsDialect),
              u"C:\\TEMP\\~3DV42.ini"_s);
    EXPECT_EQ(raytraceTempName(u"/tmp"_s, 42, u".pov"_s, unixDialect), u"/tmp/~3DV42.pov"_s);
    EXPECT_EQ(raytraceImageName(u"/tmp/~3DV42.pov"_s), u"/tmp/~3DV42.bmp"_s);
    EXPECT_EQ(raytraceCommandLine(u"C:\\POVRAY~1\\pvengine.exe"_s, u"C:\\TEMP\\~3DV9.ini"_s,
                                  windowsDialect),
              u"C:\\POVRAY~1\\pvengine.exe /exit /nr  C:\\TEMP\\~3DV9.ini"_s);
    // The Unix raytracer splits its arguments again: the INI path keeps its own quotes.
    EXPECT_EQ(raytraceCommandLine(u"/opt/pov ray/povray"_s, u"/t m/it's.ini"_s, unixDialect),
              u"'/opt/pov ray/povray' '\"/t m/it'\"'\"'s.ini\"'"_s);
}

// A bound module over mocks; the raytracer is a function that gets the INI file's lines.
class RaytraceFrameTest : public ::testing::Test
{
public:
    using Raytracer = std::function<void(const QStringList& iniLines)>;

    RaytraceFrameTest()
    {
        qputenv("TEMP", temp.path().toLocal8Bit());
        ON_CALL(*h.sceneGraph, CreatePovExporter()).WillByDefault(Return(exporter));
        ON_CALL(*h.sceneGraph, LibraryPaths(_, _))
            .WillByDefault([](QStringList& folders, std::int32_t& count) {
                folders = {u"/lib/a/"_s, u"/lib/b/"_s};
                count = 2;
            });
        ON_CALL(*h.state, RaytraceFailed()).WillByDefault([this] { return failed; });
        ON_CALL(*h.state, setRaytraceFailed(_)).WillByDefault([this](bool f) { failed = f; });
        ON_CALL(*h.state, ScenePath()).WillByDefault(Return(u"/scenes/my walk/"_s));
        ON_CALL(*h.graphics, TickCount()).WillByDefault([this] { return ++tick; });
        ON_CALL(*h.appUtility, RaytracerPath()).WillByDefault(Return(u"/usr/bin/povray"_s));
        ON_CALL(*h.appUtility, ShortPath(_)).WillByDefault([](const QString& path) {
            return path;
        });
        ON_CALL(*h.appUtility, WriteLine(_)).WillByDefault([this](const QString& line) {
            log.append(line);
        });
        ON_CALL(*exporter, ExportScene(_, _, _, _, _, _))
            .WillByDefault([this](const QString& path, auto&&, float, float, bool& tif, auto&&) {
                writeEmptyFile(path);
                tif = tifTextures;
            });
        setRaytracer([](const QStringList& ini) { writePicture(ini); });
        h.bind();
        h.animationRunning = true;
        h.platform->clearCalls();
        QDir::setCurrent(QDir::rootPath());
    }
    ~RaytraceFrameTest() override { qunsetenv("TEMP"); }

    static void writeEmptyFile(const QString& path)
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            throw Error(ErrorNumber::PathFileAccess, u"Path/File access error"_s);
    }

    // What a raytracer that works does: a 4 x 3 picture where the INI file says.
    static void writePicture(const QStringList& ini)
    {
        const QString output = ini.filter(u"Output_File_Name="_s).value(0).mid(17);
        QImage picture(4, 3, QImage::Format_RGB32);
        picture.fill(Qt::red);
        ASSERT_TRUE(picture.save(output, "BMP"));
    }

    void setRaytracer(Raytracer raytracer)
    {
        ON_CALL(*h.render, ShellAndWait(_, true))
            .WillByDefault([this, raytracer](const QString& commandLine, bool) {
                ++raytracerRuns;
                this->commandLine = commandLine;
                // The INI path is the last word, in its own quotes.
                const QString ini = commandLine.section(u'\'', -2, -2).mid(1).chopped(1);
                QFile file(ini);
                EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << ini.toStdString();
                iniLines = QString::fromLocal8Bit(file.readAll()).split(u"\r\n"_s);
                iniLines.removeLast();
                raytracer(iniLines);
                return std::int64_t(0);
            });
    }

    void exportTifTextures() { tifTextures = true; }
    void raytracerCannotStart()
    {
        ON_CALL(*h.render, ShellAndWait(_, true)).WillByDefault([this](auto&&...) -> std::int64_t {
            ++raytracerRuns;
            throw Error(ErrorNumber::FileNotFound, u"File not found"_s);
        });
    }
    void raytracerWritesNothing()
    {
        setRaytracer([](const QStringList&) {});
    }
    void tempUnwritable() { qputenv("TEMP", "/proc/no such folder"); }

    QStringList messages() const { return h.platform->calls().filter(u"MsgBox("_s); }
    QStringList leftInTemp() const { return QDir(temp.path()).entryList(QDir::Files); }

    QTemporaryDir temp{QDir::tempPath() + u"/ray temp XXXXXX"_s};
    bool tifTextures = false;
    bool failed = false;
    std::int32_t tick = 1000;
    int raytracerRuns = 0;
    QStringList log;
    QString commandLine;
    QStringList iniLines;
    // Last: the panel still writes to the log when the harness goes.
    PanelHarness h;
    Nice<MockPovExporter> exporter = nice<MockPovExporter>();
};

TEST_F(RaytraceFrameTest, RendersLoadsAndLeavesNothingBehind)
{
    EXPECT_CALL(*exporter,
                ExportScene(temp.path() + u"/~3DV1001.pov"_s, _, 0.1f, 320.0f / 240.0f, _, _));
    QImage picture;
    QString scenePath;
    RaytraceFrame(h.scene, 320, 240, 2, picture, scenePath);

    EXPECT_EQ(picture.size(), QSize(4, 3));
    EXPECT_EQ(scenePath, temp.path() + u"/~3DV1001.pov"_s);
    EXPECT_EQ(commandLine, u"'/usr/bin/povray' '\"%1/~3DV1002.ini\"'"_s.arg(temp.path()));
    EXPECT_EQ(
        iniLines.mid(1, 7),
        QStringList({u"Width=320"_s, u"Height=240"_s, u"Output_File_Type=B"_s, u"Quality=11"_s,
                     u"Antialias=on"_s, u"Antialias_Depth=4"_s, u"Display=off"_s}));
    EXPECT_EQ(
        log, QStringList({u"POVRay Library_Path(0)=/scenes/my walk"_s,
                          u"POVRay Library_Path(1)=/lib/a"_s, u"POVRay Library_Path(2)=/lib/b"_s}));
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_FALSE(failed);
    EXPECT_TRUE(leftInTemp().isEmpty()) << leftInTemp().join(u' ').toStdString();
    EXPECT_EQ(QDir::currentPath(), controlLibraryFolder());
}

const QString raytraceError = u"MsgBox(Errors occurred while Raytracing."_s;
const QString tifRefused = u"MsgBox(POVRay does not support the use of TIF textures."_s;

struct FailureRow
{
    const char* name;
    void (RaytraceFrameTest::*arrange)();
    QStringList messages; // the start of each message shown, in order
    int raytracerRuns;
    bool stopsTheRun = false;
    bool failedBefore = false;
    bool raised = false;
};

class RaytraceFailures : public RaytraceFrameTest, public ::testing::WithParamInterface<FailureRow>
{};

TEST_P(RaytraceFailures, ReportOnceLeaveThePictureAndCleanUp)
{
    const FailureRow& row = GetParam();
    failed = row.failedBefore;
    (this->*row.arrange)();
    for (qsizetype k = 0; k < row.messages.size(); ++k)
        h.platform->answerMsgBox(MsgBoxResult::OK);

    QImage picture(1, 1, QImage::Format_RGB32);
    QString scenePath;
    try {
        RaytraceFrame(h.scene, 320, 240, 0, picture, scenePath);
        EXPECT_FALSE(row.raised);
    } catch (const Error& error) {
        EXPECT_TRUE(row.raised) << error.description().toStdString();
        EXPECT_EQ(error.source(), u"AnimationPanel"_s);
    }

    const QStringList shown = messages();
    ASSERT_EQ(shown.size(), row.messages.size()) << shown.join(u'\n').toStdString();
    for (qsizetype k = 0; k < shown.size(); ++k)
        EXPECT_TRUE(shown[k].startsWith(row.messages[k])) << shown[k].toStdString();
    EXPECT_EQ(raytracerRuns, row.raytracerRuns);
    EXPECT_EQ(failed, row.failedBefore || !row.messages.isEmpty());
    EXPECT_EQ(h.animationRunning, !row.stopsTheRun);
    EXPECT_EQ(picture.size(), QSize(1, 1)) << "the picture stays as it was";
    EXPECT_TRUE(leftInTemp().isEmpty()) << leftInTemp().join(u' ').toStdString();
    EXPECT_EQ(QDir::currentPath(), controlLibraryFolder());
}

using T = RaytraceFrameTest;
INSTANTIATE_TEST_SUITE_P(
    Table, RaytraceFailures,
    ::testing::Values(
        FailureRow{"TifTextures", &T::exportTifTextures, {tifRefused}, 0},
        FailureRow{"TifTexturesAfterAFailure", &T::exportTifTextures, {tifRefused}, 0, false, true},
        FailureRow{"RaytracerCannotStart", &T::raytracerCannotStart, {raytraceError}, 1},
        FailureRow{"NoPictureWritten", &T::raytracerWritesNothing, {raytraceError}, 1, true},
        FailureRow{"SecondFailureOfARecording", &T::raytracerWritesNothing, {}, 1, false, true},
        FailureRow{"UnwritableTemp", &T::tempUnwritable, {}, 0, false, false, true}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
