// The record button and the snapshot from the hint to the last frame written, over mocked
// services: the preview, the options dialog answered by its own OK, the save dialog, the writer,
// raytraced frames and the failure paths.
#include "CopyPicture.h"
#include "ModuleState.h"
#include "SeriesFileName.h"
#include "WindowHarness.h"

#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>
#include <cmath>

namespace vellum::testing {
namespace {

// 50 frames at 10 keys per second, recorded at 2 frames per second: 11 frames of 64 x 48, each
// capture marked with 16 times the frame it shows.
class RecordingTest : public WindowHarness
{
protected:
    RecordingTest()
    {
        qputenv("temp", folder.path().toLocal8Bit());
        store({{"AnimationSize0", "False"},
               {"AnimationSize1", "True"},
               {"AnimationWidth", "64"},
               {"AnimationHeight", "48"},
               {"AnimationFPS", "2"}});
        ON_CALL(*h.pictures, CreateOffscreenPicture(_, _, _, _, _))
            .WillByDefault([this](int, int, int width, int height, int) {
                QImage picture(width, height, QImage::Format_RGB32);
                picture.fill(0xff000000u | uint(std::lround(h.currentFrame * 16.0f)));
                return picture;
            });
        ON_CALL(*h.graphics, PictureFromBitmap(_, _)).WillByDefault([](QImage b, int) {
            return b;
        });
        ON_CALL(*h.graphics, AviAddFrame(_, _)).WillByDefault([this](const QImage& f, int index) {
            written << QStringLiteral("%1:%2").arg(index).arg(mark(f));
        });
        ON_CALL(*h.graphics, AviClose()).WillByDefault([this] { ++closes; });
        ON_CALL(*h.appUtility, ShowSaveDialog(_, _, _, _, _, _))
            .WillByDefault([this](QWidget*, QString& file, const QString& description,
                                  const QString& extension, bool, std::int32_t& result) {
                dialogs << description + QLatin1Char('|') + extension;
                file = chosenFile;
                result = chosenFile.isEmpty() ? 2 : 5;
            });
        ON_CALL(*h.appUtility, SplitPath(_, _, _, _))
            .WillByDefault([](const QString& path, QString& base, QString& in, QString& suffix) {
                const QFileInfo info(path);
                std::tie(base, in, suffix) =
                    std::tuple(info.completeBaseName(), info.path() + u'/', info.suffix());
            });
        ON_CALL(*h.rootGroup, RefreshTree(true)).WillByDefault([this] {
            h.events << QStringLiteral("RefreshTree");
        });
        QObject::connect(h.control.get(), &animation::Animation::evtReqUpdateStatusBar,
                         [this](QString& position, QString& misc) {
                             if (!misc.isEmpty())
                                 statusTexts.insert(misc);
                             if (QWidget* shown = window())
                                 captions << shown->windowTitle();
                             positions << position;
                         });
        // A raytracer that draws the recording's size, marked as a capture plus 3.
        ON_CALL(*h.appUtility, RaytracerPath()).WillByDefault(Return(QStringLiteral("/pov")));
        ON_CALL(*h.appUtility, ShortPath(_)).WillByDefault(::testing::ReturnArg<0>());
        ON_CALL(*h.sceneGraph, CreatePovExporter()).WillByDefault(Return(exporter));
        ON_CALL(*h.render, ShellAndWait(_, true)).WillByDefault([this](auto&&...) {
            QImage picture(animation::module().recordWidth, animation::module().recordHeight,
                           QImage::Format_RGB32);
            picture.fill(0xff000000u | uint(std::lround(h.currentFrame * 16.0f) + 3));
            picture.save(QDir(folder.path()).filePath(QStringLiteral("~3DV%1.bmp").arg(tick)));
            return std::int64_t(0);
        });
        chosenFile = folder.filePath(QStringLiteral("my walk.avi"));
    }
    ~RecordingTest() override { qunsetenv("temp"); }

    void store(std::initializer_list<std::pair<const char*, const char*>> settings)
    {
        for (auto [key, value] : settings)
            h.platform->setSetting(h.registryKey, QStringLiteral("Application"), QLatin1String(key),
                                   QLatin1String(value));
    }
    // The options dialog, answered as a person would: a box ticked, then OK (or Cancel).
    void answerOptions(const char* tick = nullptr, const char* close = "cmdOK")
    {
        h.platform->answerDialog([tick, close](QDialog& dialog) {
            if (tick)
                QTest::mouseClick(&child(dialog, tick), Qt::LeftButton, {}, QPoint(5, 5));
            clickChild(dialog, close);
            return dialog.result();
        });
    }
    // Options, hint and completion answered, then the button.
    void record(const char* tick = nullptr)
    {
        answerOptions(tick);
        h.platform->answerMsgBox(outside::MsgBoxResult::OK);
        h.clickButton("cmdRecord");
    }
    QStringList messages() const { return h.platform->callsNamed(QStringLiteral("MsgBox")); }
    static uint mark(const QImage& picture) { return picture.pixel(0, 0) & 0xffffffu; }

    QTemporaryDir folder;
    QString chosenFile;
    QStringList written;
    int closes = 0;
    QStringList dialogs;
    QSet<QString> statusTexts;
    QStringList captions;
    QStringList positions;
    Nice<MockPovExporter> exporter = nice<MockPovExporter>();
};

const QString Complete = QStringLiteral("MsgBox(Animation Recording Complete.|0|0|3D Vellum)");
const QString FrameOf11 = QStringLiteral("Recording Animation Frame %1 of 11");

// The video's file, size, rate and blur are checked on real videos in the studio's tests; here
// what each frame shows and what surrounds them: the hint, the dialogs, the progress, the
// completion and the clean-up.
TEST_F(RecordingTest, FramesFollowTheHintAndOptionsWithProgressCompletionAndCleanUp)
{
    record();
    EXPECT_EQ(h.events.first(), QStringLiteral("Warn(Record)"));
    EXPECT_TRUE(h.warnings.last().contains(QStringLiteral("select \"Camera->Animation\"")));
    EXPECT_EQ(h.events.mid(h.events.size() - 2),
              QStringList({QStringLiteral("RefreshTree"), QStringLiteral("ButtonsEnable")}));
    EXPECT_EQ(dialogs, QStringList(QStringLiteral("AVI Animation|avi")));
    EXPECT_EQ(closes, 1);
    ASSERT_EQ(written.size(), 11);
    for (int k = 0; k <= 10; ++k) // frame k shows frame 5k
        EXPECT_EQ(written[k], QStringLiteral("%1:%2").arg(k).arg(80 * k));
    EXPECT_EQ(messages(), QStringList(Complete));
    EXPECT_TRUE(statusTexts.contains(QStringLiteral(" Recording: 2 Frames/Second")));
    EXPECT_TRUE(captions.contains(FrameOf11.arg(2)) && captions.contains(FrameOf11.arg(11)));
    EXPECT_FALSE(captions.contains(FrameOf11.arg(12)));
    EXPECT_FALSE(animation::module().recordingActive);
    EXPECT_EQ(window(), nullptr);

    // Raytraced, the progress goes to the status bar and the raytracer's files go; a failed
    // raytrace, reported by the bridge, ends the run with nothing to write.
    captions.clear();
    written.clear();
    h.platform->clearCalls();
    record("chkRaytrace");
    EXPECT_EQ(written.value(10), QStringLiteral("10:803"));
    EXPECT_TRUE(positions.contains(FrameOf11.arg(11)) && !captions.contains(FrameOf11.arg(11)));
    EXPECT_TRUE(QDir(folder.path()).entryList({QStringLiteral("~3DV*")}, QDir::Files).isEmpty());
    ON_CALL(*h.render, ShellAndWait(_, true)).WillByDefault(Return(std::int64_t(0)));
    written.clear();
    h.platform->clearCalls();
    h.platform->answerMsgBox(outside::MsgBoxResult::OK);
    record();
    EXPECT_TRUE(written.isEmpty());
    ASSERT_EQ(messages().size(), 2);
    EXPECT_TRUE(
        messages().first().startsWith(QStringLiteral("MsgBox(Errors occurred while Raytr")));
    EXPECT_EQ(messages().last(), Complete);
}

TEST_F(RecordingTest, AutoRepeatRecordsUntilStoppedAndDropsTheTotal)
{
    chosenFile = folder.filePath(QStringLiteral("walk.bmp"));
    h.clickButton("chkAutoRepeat");
    onYield = [this](int yield) {
        if (yield == 40)
            h.control->HaltAnimation();
    };
    record("chkSaveasImages");
    EXPECT_EQ(dialogs, QStringList(QStringLiteral("Windows Bitmap|bmp")));
    EXPECT_TRUE(captions.contains(QStringLiteral("Recording Animation Frame 3")));
    EXPECT_EQ(messages().count(Complete), 1);

    const QString bmp = QStringLiteral("bmp"), walk = QStringLiteral("walk");
    for (auto [total, first, last] : {std::tuple{9, "walk1.bmp", "walk9.bmp"},
                                      {10, "walk01.bmp", "walk10.bmp"},
                                      {99999, "walk00001.bmp", "walk99999.bmp"},
                                      {100000, "walk1.bmp", "walk100000.bmp"}}) {
        EXPECT_EQ(animation::seriesFileName(QString(), walk, bmp, 1, total), QLatin1String(first));
        EXPECT_EQ(animation::seriesFileName(QString(), walk, bmp, total, total),
                  QLatin1String(last));
    }
}

TEST_F(RecordingTest, EveryFailurePathEndsWithTheButtonsAndNoCompletion)
{
    const QString compressor =
        QStringLiteral("MsgBox(Unable to configure compressor.|0|0|3D Vellum)");
    const auto fail = [](int number) { return [number](auto&&...) { throw Error(number, {}); }; };
    struct Row
    {
        const char* name;
        std::function<void()> arrange;
        QStringList messages;
        int aviCloses;
    } rows[] = {
        {"options cancelled", [this] { answerOptions(nullptr, "cmdCancel"); }, {}, 0},
        {"save dialog cancelled", [this] { answerOptions(), chosenFile.clear(); }, {}, 0},
        {"writer refuses to open",
         [&] { answerOptions(), ON_CALL(*h.graphics, AviOpen(_, _, _)).WillByDefault(fail(75)); },
         {compressor},
         1},
        {"no picture for the set-up",
         [&] {
             answerOptions();
             ON_CALL(*h.pictures, CreateOffscreenPicture(0, 0, _, _, _))
                 .WillByDefault([](auto&&...) -> QImage { throw Error::objectNotSet(); });
         },
         {compressor},
         1},
        {"disk full at frame 3",
         [&] { answerOptions(), ON_CALL(*h.graphics, AviAddFrame(_, 3)).WillByDefault(fail(61)); },
         {},
         1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        h.events.clear();
        h.platform->clearCalls();
        closes = 0;
        h.animationRunning = false;
        row.arrange();
        if (!row.messages.isEmpty())
            h.platform->answerMsgBox(outside::MsgBoxResult::OK);
        h.clickButton("cmdRecord");
        EXPECT_EQ(messages(), row.messages);
        EXPECT_EQ(closes, row.aviCloses);
        EXPECT_EQ(h.events.last(), QStringLiteral("ButtonsEnable"));
        EXPECT_FALSE(animation::module().recordingActive);
        EXPECT_TRUE(row.messages.isEmpty() || !window()) << "unloaded after a failed set-up";
        // Later rows start from a working writer again; a failed run (the last row) leaves the
        // buttons to the host.
        ON_CALL(*h.graphics, AviOpen(_, _, _)).WillByDefault(Return());
        ON_CALL(*h.pictures, CreateOffscreenPicture(0, 0, _, _, _))
            .WillByDefault(Return(QImage(64, 48, QImage::Format_RGB32)));
        chosenFile = folder.filePath(QStringLiteral("my walk.avi"));
    }
    EXPECT_TRUE(h.platform->allAnswersUsed());
}

TEST_F(RecordingTest, SnapshotSavesTheFirstFrameOfTheRangeAndDisablesThePanelOutOfAnimation)
{
    store({{"SnapshotSize0", "False"},
           {"SnapshotSize1", "True"},
           {"SnapshotWidth", "64"},
           {"SnapshotHeight", "48"}});
    h.slider().setValue(12);
    h.slider().setSelStart(10);
    h.slider().setSelLength(10);
    const QString shot = folder.filePath(QStringLiteral("shot.bmp"));
    const QString done = QStringLiteral("MsgBox(Snapshot Recording Complete.|0|0|3D Vellum)");
    const QString raytraceError =
        QStringLiteral("MsgBox(An error occurred while raytracing. Restarting your system may "
                       "resolve this problem. 3D Vellum will now close.|0|2|3D Vellum)");
    struct Row
    {
        const char* name;
        int mode;
        const char* raytrace;
        bool raises;
        QSize saved;
        uint mark;
        QStringList messages;
    } rows[] = {
        {"viewport", 1, "0", false, {64, 48}, 160, {done}},
        {"raytraced", 1, "1", false, {64, 48}, 163, {done}},
        {"raytrace raises: the preview", 1, "1", true, {320, 240}, 160, {raytraceError, done}},
        {"cancelled, animation off", 0, "0", false, {0, 0}, 0, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        QFile::remove(shot);
        chosenFile = row.saved.isEmpty() ? QString() : shot;
        dialogs.clear();
        h.events.clear();
        h.platform->clearCalls();
        h.mode = row.mode;
        for (QWidget* widget : h.control->findChildren<QWidget*>())
            widget->setEnabled(true);
        store({{"SnapshotRaytrace", row.raytrace}});
        answerOptions();
        if (row.raises)
            ON_CALL(*exporter, ExportScene(_, _, _, _, _, _)).WillByDefault([](auto&&...) {
                throw Error(75, QStringLiteral("x"));
            });
        for (int i = 0; i < row.messages.size(); ++i)
            h.platform->answerMsgBox(outside::MsgBoxResult::OK);
        h.control->CreateSnapshot();

        EXPECT_EQ(h.events.first(), QStringLiteral("Warn(Snapshot)"));
        EXPECT_EQ(h.events.last(), QStringLiteral("ButtonsEnable"));
        EXPECT_EQ(dialogs, QStringList(QStringLiteral("Windows Bitmap|BMP")));
        EXPECT_EQ(messages(), row.messages);
        const QImage saved(shot);
        EXPECT_EQ(saved.size(), row.saved);
        EXPECT_EQ(saved.isNull() ? 0u : mark(saved), row.mark);
        EXPECT_EQ(animation::module().recordFPS, 1);
        EXPECT_FALSE(animation::module().recordingActive);
        EXPECT_EQ(window(), nullptr);
        for (const char* name :
             {"fraAnimationBand2", "fraAnimationBand3", "chkAnimationTimeline",
              "cmdAnimationProperties", "cmdResetAll", "cmdReset", "cmdStart", "cmdStepBack",
              "cmdPlay", "cmdPlayGhost", "cmdStepForward", "cmdEnd", "cmdPlayFullScreen",
              "chkAutoRepeat", "cmdRecord", "txtAnimationTime", "sldFrame", "msgTimeline"})
            EXPECT_TRUE(row.mode == 1 || !h.widget(name).isEnabled()) << name;
        EXPECT_EQ(h.widget("cmdPlay").isEnabled(), row.mode == 1);
    }
    EXPECT_TRUE(h.platform->allAnswersUsed());
}

TEST_F(RecordingTest, PreviewAndCopyPicture)
{
    animation::module().recordWidth = 999;
    animation::module().recordAntiAlias = 2;
    const QImage preview = h.control->picCreatePreview();
    EXPECT_EQ(preview.size(), QSize(320, 240));
    EXPECT_TRUE(viewportCalls.contains(QStringLiteral("aa 0")));
    EXPECT_FALSE(animation::module().recordingActive);

    for (QImage::Format format :
         {QImage::Format_RGB32, QImage::Format_RGB16, QImage::Format_Indexed8}) {
        QImage source(320, 240, format);
        if (format == QImage::Format_Indexed8)
            source.setColorTable({qRgb(1, 2, 3), qRgb(4, 5, 6)});
        source.fill(1);
        const QImage before = source.copy();
        const QImage copy = animation::CopyPicture(source);
        source.fill(0);
        EXPECT_EQ(copy.format(), format);
        EXPECT_EQ(copy, before) << "the same pixels, kept when the source changes";
    }
}

} // namespace
} // namespace vellum::testing
