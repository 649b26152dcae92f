#include "HeadlessRecording.h"

#include "HeadlessPlatform.h"
#include "MainWindow.h"

#include <Animation.h>
#include <Error.h>
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QScopeGuard>
#include <TrackBar.h>
#include <algorithm>
#include <cstdio>
#include <limits>
#include <sg/SceneGraph.h>

namespace vellum::studio {

namespace {

QString translated(const char* text)
{
    return QCoreApplication::translate("HeadlessRecording", text);
}

// The platform while the command line records: the recording options it was given are the
// stored choices (the user's own stay untouched), and the options dialog is confirmed with its
// own OK button, so that its checks run as they do for a person.
class AnsweringPlatform : public HeadlessPlatform
{
public:
    explicit AnsweringPlatform(const RecordingRequest& request)
        : m_optionsDialog(request.snapshot ? QStringLiteral("frmSnapshotOptions")
                                           : QStringLiteral("frmRecordOptions")),
          m_completion(request.snapshot ? QStringLiteral("Snapshot Recording Complete.")
                                        : QStringLiteral("Animation Recording Complete.")),
          m_quiet(request.quiet)
    {
        const auto flag = [](bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); };
        // Both dialogs name their settings alike, after their own prefix.
        const QString prefix =
            request.snapshot ? QStringLiteral("Snapshot") : QStringLiteral("Animation");
        const std::pair<const char*, QString> choices[] = {
            {"Size0", QStringLiteral("False")},
            {"Size1", QStringLiteral("True")},
            {"Width", QString::number(request.size.width())},
            {"Height", QString::number(request.size.height())},
            {"AntiAlias", QString::number(request.antiAlias)},
            {"Raytrace", flag(request.raytrace)},
            {"FPS", QString::number(request.framesPerSecond)},
            {"Images", flag(request.images)},
            {"MotionBlur", flag(request.motionBlur)},
        };
        for (const auto& [name, value] : choices)
            m_choices.insert(prefix + QLatin1String(name), value);
    }

    bool completed() const { return m_completed; }

    QString GetSetting(const QString& appName, const QString& section, const QString& key,
                       const QString& defaultValue) override
    {
        if (const auto choice = m_choices.constFind(key); choice != m_choices.cend())
            return *choice;
        return HeadlessPlatform::GetSetting(appName, section, key, defaultValue);
    }
    void SaveSetting(const QString& appName, const QString& section, const QString& key,
                     const QString& value) override
    {
        if (m_choices.contains(key))
            m_choices[key] = value;
        else
            HeadlessPlatform::SaveSetting(appName, section, key, value);
    }
    outside::MsgBoxResult MsgBox(const QString& text, outside::MsgBoxButtons buttons,
                                 outside::MsgBoxIcon icon, const QString& title) override
    {
        const bool completion = text == m_completion;
        m_completed = m_completed || completion;
        if (completion && m_quiet)
            return outside::MsgBoxResult::OK;
        std::fprintf(stdout, "\n");
        return HeadlessPlatform::MsgBox(text, buttons, icon, title);
    }
    // A refused OK leaves the dialog open; it is closed then, which cancels.
    int ShowModal(QDialog& dialog) override
    {
        auto* ok = dialog.findChild<QAbstractButton*>(QStringLiteral("cmdOK"));
        if (dialog.objectName() != m_optionsDialog || !ok)
            return HeadlessPlatform::ShowModal(dialog);
        dialog.show();
        ok->click();
        if (dialog.isVisible())
            dialog.close();
        return dialog.result();
    }
    // A series asked for as .png is written as PNG.
    void SavePicture(const QImage& picture, const QString& path) override
    {
        if (QFileInfo(path).suffix().compare(QLatin1String("png"), Qt::CaseInsensitive) != 0)
            return HeadlessPlatform::SavePicture(picture, path);
        if (picture.isNull() || !picture.save(path, "PNG"))
            throw Error(ErrorNumber::PathFileAccess,
                        QStringLiteral("Path/File access error: %1").arg(path));
    }

private:
    QString m_optionsDialog;
    QString m_completion;
    QHash<QString, QString> m_choices;
    bool m_quiet = false;
    bool m_completed = false;
};

std::optional<int> wholeNumber(const QString& text, int minimum, int maximum)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < minimum || value > maximum)
        return std::nullopt;
    return value;
}

// The views must be at least as large as the recording: the panel refuses anything larger.
void makeRoomFor(MainWindow& window, QSize size)
{
    window.resize(1200, 800);
    for (int attempt = 0; attempt < 3; ++attempt) {
        QApplication::processEvents();
        const QSize views = window.viewsArea().size();
        const QSize missing(std::max(0, size.width() - views.width()),
                            std::max(0, size.height() - views.height()));
        if (missing.isNull())
            return;
        window.resize(window.size() + missing);
    }
}

bool outputIsThere(const RecordingRequest& request)
{
    const QFileInfo file(request.file);
    if (!request.images || request.snapshot)
        return file.isFile() && file.size() > 0;
    const QString pattern = QRegularExpression::escape(file.completeBaseName()) +
                            QStringLiteral("\\d+\\.") + QRegularExpression::escape(file.suffix());
    return !QDir(file.absolutePath())
                .entryList(QDir::Files)
                .filter(QRegularExpression(QStringLiteral("^") + pattern + QStringLiteral("$")))
                .isEmpty();
}

// What a shift-drag along the panel's slider chooses: the slider goes to the first frame, and the
// selection runs from there.
bool chooseWorkingRange(animation::Animation& panel, std::pair<int, int> range,
                        HeadlessPlatform& platform)
{
    auto* slider = panel.findChild<common::TrackBar*>(QStringLiteral("sldFrame"));
    if (!slider || range.second > slider->Max()) {
        platform.fail(translated("--range ends after the animation's last frame, %1.")
                          .arg(slider ? slider->Max() : 0));
        return false;
    }
    slider->setValue(range.first);
    slider->setSelStart(range.first);
    slider->setSelLength(range.second - range.first);
    return true;
}

} // namespace

void addRecordingOptions(QCommandLineParser& parser)
{
    parser.addOption({QStringLiteral("record"),
                      translated("Record the animation to this file through the panel's record "
                                 "button (.avi; .mp4 and .mkv hold H.264) and exit."),
                      QStringLiteral("file")});
    parser.addOption({QStringLiteral("snapshot"),
                      translated("Save the frame at the start of the working range to this file "
                                 "through the panel's snapshot (a Windows bitmap, or PNG when the "
                                 "name ends in .png) and exit."),
                      QStringLiteral("file")});
    parser.addOption({QStringLiteral("size"),
                      translated("Recording or snapshot size (default 320x240)."),
                      QStringLiteral("WxH")});
    parser.addOption({QStringLiteral("fps"),
                      translated("Recording frames per second, 1 to 60 (default 15)."),
                      QStringLiteral("n")});
    parser.addOption({QStringLiteral("anti-alias"),
                      translated("Anti-aliasing: 0 none, 1 4x, 2 16x (default 0)."),
                      QStringLiteral("level")});
    parser.addOption({QStringLiteral("raytrace"),
                      translated("Render the recording or snapshot with the raytracer.")});
    parser.addOption({QStringLiteral("range"),
                      translated("Record only these frames of the animation, as the working range "
                                 "(a snapshot takes the first), for example 0-95."),
                      QStringLiteral("first-last")});
    parser.addOption({QStringLiteral("motion-blur"), translated("Record with motion blur.")});
    parser.addOption({QStringLiteral("images"),
                      translated("Record a numbered bitmap series instead of a video (.bmp, or "
                                 ".png when the file says so).")});
}

std::optional<RecordingRequest> readRecordingOptions(const QCommandLineParser& parser,
                                                     QString& error)
{
    const QString record = QStringLiteral("record");
    const QString snapshot = QStringLiteral("snapshot");
    if (parser.isSet(record) && parser.isSet(snapshot)) {
        error = translated("Give either --record or --snapshot.");
        return std::nullopt;
    }
    const auto misplaced = [&](std::initializer_list<const char*> options, const QString& owner) {
        for (const char* option : options)
            if (parser.isSet(QLatin1String(option)))
                error = translated("--%1 belongs to %2.").arg(QLatin1String(option), owner);
        return !error.isEmpty();
    };
    if (!parser.isSet(record) && !parser.isSet(snapshot)) {
        misplaced({"size", "anti-alias", "raytrace", "range"},
                  translated("--record or --snapshot"));
        misplaced({"fps", "motion-blur", "images"}, QStringLiteral("--record"));
        return std::nullopt;
    }
    if (parser.isSet(snapshot) &&
        misplaced({"fps", "motion-blur", "images"}, QStringLiteral("--record")))
        return std::nullopt;
    RecordingRequest request;
    request.snapshot = parser.isSet(snapshot);
    request.file = parser.value(request.snapshot ? snapshot : record);
    request.raytrace = parser.isSet(QStringLiteral("raytrace"));
    request.motionBlur = parser.isSet(QStringLiteral("motion-blur"));
    request.images = parser.isSet(QStringLiteral("images"));
    if (parser.isSet(QStringLiteral("size"))) {
        const QString size = parser.value(QStringLiteral("size"));
        const QStringList sides = size.split(QLatin1Char('x'));
        const auto width = wholeNumber(sides.value(0), 10, 1600);
        const auto height = wholeNumber(sides.value(1), 10, 1200);
        if (sides.size() != 2 || !width || !height) {
            error = translated("--size needs WxH within 10x10 to 1600x1200, not \"%1\".").arg(size);
            return std::nullopt;
        }
        request.size = QSize(*width, *height);
    }
    for (const auto& [name, target, minimum, maximum] :
         {std::tuple{QStringLiteral("fps"), &request.framesPerSecond, 1, 60},
          std::tuple{QStringLiteral("anti-alias"), &request.antiAlias, 0, 2}}) {
        if (!parser.isSet(name))
            continue;
        const auto value = wholeNumber(parser.value(name), minimum, maximum);
        if (!value) {
            error = translated("--%1 needs a whole number from %2 to %3, not \"%4\".")
                        .arg(name)
                        .arg(minimum)
                        .arg(maximum)
                        .arg(parser.value(name));
            return std::nullopt;
        }
        *target = *value;
    }
    if (parser.isSet(QStringLiteral("range"))) {
        const QString range = parser.value(QStringLiteral("range"));
        const QStringList ends = range.split(QLatin1Char('-'));
        const auto first = wholeNumber(ends.value(0), 0, std::numeric_limits<int>::max());
        const auto last = wholeNumber(ends.value(1), 0, std::numeric_limits<int>::max());
        if (ends.size() != 2 || !first || !last || *last < *first) {
            error = translated("--range needs the first and last frame, as in 0-95, not \"%1\".")
                        .arg(range);
            return std::nullopt;
        }
        request.range = std::pair(*first, *last);
    }
    const QFileInfo folder(QFileInfo(request.file).absolutePath());
    if (request.file.isEmpty() || !folder.isDir() || !folder.isWritable()) {
        error = translated("Cannot write to the folder of \"%1\".").arg(request.file);
        return std::nullopt;
    }
    return request;
}

int recordHeadless(MainWindow& window, const RecordingRequest& asked)
{
    // A raytrace leaves the current folder elsewhere.
    RecordingRequest request = asked;
    request.file = QFileInfo(asked.file).absoluteFilePath();
    auto platform = std::make_shared<AnsweringPlatform>(request);
    outside::setPlatform(platform);
    const auto restore = qScopeGuard([] { outside::setPlatform(nullptr); });
    window.sceneGraph().answerSaveDialogs(
        [file = request.file](const QString&, const QString&) { return file; });

    // The progress of a recording drawn offscreen is in the window's caption, of a raytraced
    // one in the status bar.
    QString shown;
    animation::Animation* panel = window.panel();
    const QMetaObject::Connection progress = QObject::connect(
        panel, &animation::Animation::evtReqUpdateStatusBar, panel,
        [&shown, panel](QString& position, QString&) {
            const QWidget* drawing = panel->findChild<QWidget*>(QStringLiteral("frmAnimate"));
            const QString caption = !position.isEmpty() ? position
                                    : drawing           ? drawing->windowTitle()
                                                        : QString();
            if (caption != shown && caption.startsWith(QLatin1String("Recording"))) {
                shown = caption;
                std::fprintf(stdout, "\r%s", qPrintable(caption));
                std::fflush(stdout);
            }
        });
    const auto disconnect = qScopeGuard([&] { QObject::disconnect(progress); });
    if (request.quiet)
        QObject::disconnect(progress);
    window.show();
    // The raytracer has no such limit.
    if (!request.raytrace)
        makeRoomFor(window, request.size);

    if (request.range && !chooseWorkingRange(*panel, *request.range, *platform))
        return 1;

    if (request.snapshot) {
        auto* snapshot = window.findChild<QAction*>(QStringLiteral("actSnapshot"));
        if (!snapshot) {
            platform->fail(translated("The panel cannot take a snapshot now."));
            return 1;
        }
        snapshot->trigger();
    } else {
        auto* record = panel->findChild<QAbstractButton*>(QStringLiteral("cmdRecord"));
        if (!record || !record->isEnabled()) {
            platform->fail(translated("The panel cannot record now."));
            return 1;
        }
        record->click();
    }
    if (!platform->completed() || !outputIsThere(request))
        platform->fail(request.snapshot ? translated("The snapshot was not completed.")
                                        : translated("The recording was not completed."));
    return platform->exitCode();
}

} // namespace vellum::studio
