// The record button and the snapshot from the hint to the last frame written, over mocked
// services: the preview, the options dialog answered by its own OK, the save dialog, the writer,
// motion blur, raytraced frames and the failure paths.
#include "CopyPicture.h"
#include "ModuleState.h"
#include "SeriesFileName.h"
#include "WindowHarness.h"
#include "XPButton.h"

#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

namespace vellum::testing {
namespace {

using ::testing::_;
using ::testing::Invoke;
using ::testing::Return;

class RecordingTest : public WindowHarness
{
protected:
    void SetUp() override
    {
        WindowHarness::SetUp();
        qputenv("temp", folder.path().toLocal8Bit());
        // 50 frames at 10 keys per second, recorded at 2 frames per second: 11 frames.
        for (auto [key, value] : {std::pair{"AnimationSize0", "False"},
                                  {"AnimationSize1", "True"},
                                  {"AnimationWidth", "64"},
                                  {"AnimationHeight", "48"},
                                  {"AnimationFPS", "2"}})
            h.platform->setSetting(h.registryKey, QStringLiteral("Application"), QLatin1String(key),
                                   QLatin1String(value));
        ON_CALL(*pictures, CreateOffscreenPicture(_, _, _, _, _))
            .WillByDefault(Invoke([this](int, int, int width, int height, int) {
                // Each capture is marked with 16 times the frame it shows.
                QImage picture(width, height, QImage::Format_RGB32);
                picture.fill(0xff000000u | uint(std::lround(h.currentFrame * 16.0f)));
                return picture;
            }));
        ON_CALL(*graphics, PictureFromBitmap(_, _)).WillByDefault(Invoke([](QImage bitmap, int) {
            return bitmap;
        }));
        ON_CALL(*graphics, AviAddFrame(_, _))
            .WillByDefault(Invoke([this](const QImage& frame, int index) {
                written << QStringLiteral("%1:%2").arg(index).arg(mark(frame));
            }));
        ON_CALL(*render, BlendPictures(_, _))
            .WillByDefault(Invoke([this](const std::array<QImage, 8>& ring, QImage& target) {
                uint sum = 0;
                for (const QImage& slot : ring)
                    sum += mark(slot);
                target.fill(0xff000000u | (sum / 8));
            }));
        ON_CALL(*h.appUtility, ShowSaveDialog(_, _, _, _, _, _))
            .WillByDefault(Invoke([this](QWidget*, QString& file, const QString& description,
                                         const QString& extension, bool, std::int32_t& result) {
                dialogs << description + QLatin1Char('|') + extension;
                file = chosenFile;
                result = chosenFile.isEmpty() ? 2 : 5;
            }));
        ON_CALL(*h.appUtility, SplitPath(_, _, _, _))
            .WillByDefault(Invoke(
                [](const QString& path, QString& base, QString& folderPart, QString& extension) {
                    const QFileInfo info(path);
                    base = info.completeBaseName();
                    folderPart = info.path() + QLatin1Char('/');
                    extension = info.suffix();
                }));
        ON_CALL(*h.rootGroup, RefreshTree(true)).WillByDefault(Invoke([this] {
            h.events << QStringLiteral("RefreshTree");
        }));
        QObject::connect(h.control.get(), &animation::Animation::evtReqUpdateStatusBar,
                         [this](QString& position, QString& misc) {
                             if (!misc.isEmpty())
                                 statusTexts.insert(misc);
                             if (QWidget* shown = window())
                                 captions << shown->windowTitle();
                             positions << position;
                         });
        chosenFile = folder.filePath(QStringLiteral("my walk.avi"));
        h.events.clear();
    }
    void TearDown() override
    {
        qunsetenv("temp");
        WindowHarness::TearDown();
    }

    // The options dialog, answered as a person would: ticks, then OK.
    void answerOptions(std::function<void(QDialog&)> choose = {})
    {
        h.platform->answerDialog([choose](QDialog& dialog) {
            if (choose)
                choose(dialog);
            QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("cmdOK")),
                              Qt::LeftButton);
            return dialog.result();
        });
    }
    static void tickBox(QDialog& dialog, const char* box)
    {
        QTest::mouseClick(dialog.findChild<QWidget*>(QLatin1String(box)), Qt::LeftButton, {},
                          QPoint(5, 5));
    }
    QStringList messages() const { return h.platform->callsNamed(QStringLiteral("MsgBox")); }
    static uint mark(const QImage& picture) { return picture.pixel(0, 0) & 0xffffffu; }

    QTemporaryDir folder;
    QString chosenFile;
    QStringList written;
    QStringList dialogs;
    QSet<QString> statusTexts;
    QStringList captions;
    QStringList positions;

    // A raytracer that draws the recording's size, marked as a capture plus 3.
    void raytraceFrames()
    {
        ON_CALL(*h.appUtility, RaytracerPath()).WillByDefault(Return(QStringLiteral("/pov")));
        ON_CALL(*h.appUtility, ShortPath(_)).WillByDefault(::testing::ReturnArg<0>());
        ON_CALL(*h.sceneGraph, CreatePovExporter()).WillByDefault(Return(exporter));
        ON_CALL(*render, ShellAndWait(_, true)).WillByDefault([this](auto&&...) {
            QImage picture(animation::module().recordWidth, animation::module().recordHeight,
                           QImage::Format_RGB32);
            picture.fill(0xff000000u | uint(std::lround(h.currentFrame * 16.0f) + 3));
            picture.save(QDir(folder.path()).filePath(QStringLiteral("~3DV%1.bmp").arg(tick)));
            return std::int64_t(0);
        });
    }
    std::shared_ptr<NiceMock<MockPovExporter>> exporter =
        std::make_shared<NiceMock<MockPovExporter>>();
};

const QString Complete = QStringLiteral("MsgBox(Animation Recording Complete.|0|0|3D Vellum)");

TEST_F(RecordingTest, RecordsEachFrameIntoTheVideoAfterHintPreviewAndOptions)
{
    EXPECT_CALL(*graphics, AviOpen(chosenFile, _, 2))
        .WillOnce(Invoke([](auto&, const QImage& p, int) { EXPECT_EQ(p.size(), QSize(64, 48)); }));
    EXPECT_CALL(*graphics, AviClose()).Times(1);
    answerOptions();
    h.platform->answerMsgBox(outside::MsgBoxResult::OK);
    h.clickButton("cmdRecord");

    EXPECT_EQ(h.events.first(), QStringLiteral("Warn(Record)"));
    EXPECT_TRUE(h.warnings.first().contains(QStringLiteral("select \"Camera->Animation\"")));
    EXPECT_EQ(h.events.mid(h.events.size() - 2),
              QStringList({QStringLiteral("RefreshTree"), QStringLiteral("ButtonsEnable")}));
    EXPECT_EQ(dialogs, QStringList(QStringLiteral("AVI Animation|avi")));
    // Frame k of the recording shows frame 5k of the animation.
    ASSERT_EQ(written.size(), 11);
    for (int k = 0; k <= 10; ++k)
        EXPECT_EQ(written[k], QStringLiteral("%1:%2").arg(k).arg(80 * k));
    EXPECT_EQ(messages(), QStringList(Complete));
    EXPECT_EQ(statusTexts, QSet<QString>({QStringLiteral(" Recording: 2 Frames/Second")}));
    EXPECT_TRUE(captions.contains(QStringLiteral("Recording Animation Frame 11 of 11")));
    EXPECT_FALSE(animation::module().recordingActive);
    EXPECT_EQ(window(), nullptr);
}

TEST_F(RecordingTest, MotionBlurWritesTheFirstFrameAloneThenBlendsOfEightSubFrames)
{
    answerOptions([](QDialog& dialog) { tickBox(dialog, "chkMotionBlur"); });
    h.platform->answerMsgBox(outside::MsgBoxResult::OK);
    h.clickButton("cmdRecord");

    // Sub-frame i shows frame 0.625 i (mark 10 i); output k > 0 blends sub-frames 8k-7 .. 8k.
    ASSERT_EQ(written.size(), 11);
    EXPECT_EQ(written[0], QStringLiteral("0:0"));
    for (int k = 1; k <= 10; ++k)
        EXPECT_EQ(written[k], QStringLiteral("%1:%2").arg(k).arg(80 * k - 35));
    EXPECT_TRUE(captions.contains(QStringLiteral("Recording Animation Frame 2 of 11")));
    EXPECT_TRUE(captions.contains(QStringLiteral("Recording Animation Frame 11 of 11")));
    EXPECT_FALSE(captions.contains(QStringLiteral("Recording Animation Frame 12 of 11")));
    EXPECT_EQ(messages(), QStringList(Complete));
}

TEST_F(RecordingTest, BitmapSeriesIsNumberedFromTheTotalAndAutoRepeatDropsTheTotal)
{
    chosenFile = folder.filePath(QStringLiteral("walk.bmp"));
    EXPECT_CALL(*graphics, AviOpen(_, _, _)).Times(0);
    EXPECT_CALL(*graphics, AviClose()).Times(0);
    answerOptions([](QDialog& dialog) { tickBox(dialog, "chkSaveasImages"); });
    h.platform->answerMsgBox(outside::MsgBoxResult::OK);
    h.clickButton("cmdRecord");
    EXPECT_EQ(dialogs, QStringList(QStringLiteral("Windows Bitmap|bmp")));
    QStringList files =
        QDir(folder.path()).entryList({QStringLiteral("walk*")}, QDir::Files, QDir::Name);
    EXPECT_EQ(files.size(), 11);
    EXPECT_EQ(files.first(), QStringLiteral("walk01.bmp"));
    EXPECT_EQ(files.last(), QStringLiteral("walk11.bmp"));
    EXPECT_EQ(QImage(folder.filePath(files.last())).size(), QSize(64, 48));

    // With auto-repeat the run goes on until stopped, and still completes.
    h.clickButton("chkAutoRepeat");
    onYield = [this](int yield) {
        if (yield == 40)
            h.control->HaltAnimation();
    };
    captions.clear();
    answerOptions();
    h.platform->answerMsgBox(outside::MsgBoxResult::OK);
    h.clickButton("cmdRecord");
    EXPECT_TRUE(captions.contains(QStringLiteral("Recording Animation Frame 3")));
    EXPECT_EQ(messages().count(Complete), 2);

    struct Row
    {
        int total;
        const char* first;
        const char* last;
    } rows[] = {{9, "walk1.bmp", "walk9.bmp"},
                {10, "walk01.bmp", "walk10.bmp"},
                {99999, "walk00001.bmp", "walk99999.bmp"},
                {100000, "walk1.bmp", "walk100000.bmp"}};
    for (const Row& row : rows) {
        const QString bmp = QStringLiteral("bmp"), walk = QStringLiteral("walk");
        EXPECT_EQ(animation::seriesFileName(QString(), walk, bmp, 1, row.total),
                  QLatin1String(row.first));
        EXPECT_EQ(animation::seriesFileName(QString(), walk, bmp, row.total, row.total),
                  QLatin1String(row.last));
    }
}

TEST_F(RecordingTest, EveryFailurePathEndsWithTheButtonsAndNoCompletion)
{
    struct Row
    {
        const char* name;
        std::function<void()> arrange;
        QStringList messages;
        int aviCloses;
    };
    const QString compressor =
        QStringLiteral("MsgBox(Unable to configure compressor.|0|0|3D Vellum)");
    const Row rows[] = {
        {"options cancelled",
         [this] {
             h.platform->answerDialog([](QDialog& dialog) {
                 QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("cmdCancel")),
                                   Qt::LeftButton);
                 return dialog.result();
             });
         },
         {},
         0},
        {"save dialog cancelled",
         [this] {
             answerOptions();
             chosenFile.clear();
         },
         {},
         0},
        {"writer refuses to open",
         [this] {
             answerOptions();
             ON_CALL(*graphics, AviOpen(_, _, _)).WillByDefault(Invoke([](auto&, auto&, int) {
                 throw Error(75, QStringLiteral("x"));
             }));
         },
         {compressor},
         1},
        {"no picture for the set-up",
         [this] {
             answerOptions();
             ON_CALL(*pictures, CreateOffscreenPicture(0, 0, _, _, _))
                 .WillByDefault(Invoke(
                     [](int, int, int, int, int) -> QImage { throw Error::objectNotSet(); }));
         },
         {compressor},
         1},
        {"disk full at frame 3",
         [this] {
             answerOptions();
             ON_CALL(*graphics, AviAddFrame(_, 3)).WillByDefault(Invoke([](auto&, int) {
                 throw Error(61, QStringLiteral("Disk full"));
             }));
         },
         {},
         1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        h.events.clear();
        h.platform->clearCalls();
        int closes = 0;
        ON_CALL(*graphics, AviClose()).WillByDefault(Invoke([&] { ++closes; }));
        h.animationRunning = false;
        row.arrange();
        if (!row.messages.isEmpty())
            h.platform->answerMsgBox(outside::MsgBoxResult::OK);
        h.clickButton("cmdRecord");
        EXPECT_EQ(messages(), row.messages);
        EXPECT_EQ(closes, row.aviCloses);
        EXPECT_EQ(h.events.last(), QStringLiteral("ButtonsEnable"));
        EXPECT_FALSE(animation::module().recordingActive);
        if (!row.messages.isEmpty()) {
            EXPECT_EQ(window(), nullptr) << "unloaded after a failed set-up";
        }
        // Later rows start from a working writer again; a failed run (the last row) leaves the
        // buttons to the host.
        ON_CALL(*graphics, AviOpen(_, _, _)).WillByDefault(Return());
        ON_CALL(*pictures, CreateOffscreenPicture(0, 0, _, _, _))
            .WillByDefault(Return(QImage(64, 48, QImage::Format_RGB32)));
        chosenFile = folder.filePath(QStringLiteral("my walk.avi"));
    }
    EXPECT_TRUE(h.platform->allAnswersUsed());
}

TEST_F(RecordingTest, RaytracedFramesAreWrittenWithTheProgressInTheStatusBar)
{
    raytraceFrames();
    answerOptions([](QDialog& dialog) { tickBox(dialog, "chkRaytrace"); });
    h.platform->answerMsgBox(outside::MsgBoxResult::OK);
    h.clickButton("cmdRecord");
    ASSERT_EQ(written.size(), 11);
    for (int k = 0; k <= 10; ++k)
        EXPECT_EQ(written[k], QStringLiteral("%1:%2").arg(k).arg(80 * k + 3));
    EXPECT_TRUE(positions.contains(QStringLiteral("Recording Animation Frame 11 of 11")));
    EXPECT_FALSE(captions.contains(QStringLiteral("Recording Animation Frame 11 of 11")));
    EXPECT_EQ(messages(), QStringList(Complete));
    EXPECT_TRUE(QDir(folder.path()).entryList({QStringLiteral("~3DV*")}, QDir::Files).isEmpty());

    // A failed raytrace, reported by the bridge, ends the run with nothing to write.
    written.clear();
    ON_CALL(*render, ShellAndWait(_, true)).WillByDefault(Return(std::int64_t(0)));
    answerOptions();
    for (int answer = 0; answer < 2; ++answer)
        h.platform->answerMsgBox(outside::MsgBoxResult::OK);
    h.clickButton("cmdRecord");
    EXPECT_TRUE(written.isEmpty());
    EXPECT_EQ(messages().size(), 3);
}

TEST_F(RecordingTest, SnapshotSavesTheFirstFrameOfTheRangeAndDisablesThePanelOutOfAnimation)
{
    for (auto [key, value] : {std::pair{"SnapshotSize0", "False"},
                              {"SnapshotSize1", "True"},
                              {"SnapshotWidth", "64"},
                              {"SnapshotHeight", "48"}})
        h.platform->setSetting(h.registryKey, QStringLiteral("Application"), QLatin1String(key),
                               QLatin1String(value));
    h.slider().setValue(12);
    h.slider().setSelStart(10);
    h.slider().setSelLength(10);
    raytraceFrames();
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
        h.platform->setSetting(h.registryKey, QStringLiteral("Application"),
                               QStringLiteral("SnapshotRaytrace"), QLatin1String(row.raytrace));
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
            EXPECT_TRUE(row.mode == 1 || !h.widget<QWidget>(name).isEnabled()) << name;
        EXPECT_EQ(h.widget<QWidget>("cmdPlay").isEnabled(), row.mode == 1);
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
