#pragma once

#include "VellumSGExport.h"

#include <QStringList>
#include <functional>
#include <memory>
#include <outside/AppUtility.h>
#include <outside/Forward.h>

namespace vellum::sg {

// The application log (a text file the user can read, one timestamped line per entry) and
// where the raytracer is.
class VELLUMSG_EXPORT AppUtility : public outside::AppUtility
{
public:
    using SaveDialogAnswer =
        std::function<QString(const QString& description, const QString& extension)>;

    // answers: shared with the utilities of the same scene graph; none: ask the user. The state
    // names the settings store of the raytracer's path; without one the default key does.
    explicit AppUtility(QString logPath = defaultLogPath(),
                        std::shared_ptr<SaveDialogAnswer> answers = nullptr,
                        std::weak_ptr<outside::ApplicationState> state = {});

    static QString defaultLogPath();
    // Setting ("Application" section) holding the raytracer's executable chosen by the user.
    static QString raytracerPathKey() { return QStringLiteral("RaytracerPath"); }
    const QString& logPath() const { return m_logPath; }
    // The lines written through this object, as they went into the file.
    const QStringList& lines() const { return m_lines; }

    // A log that cannot be written is not worth failing the caller for: the line stays in
    // memory and a warning goes to the debug log.
    void WriteLine(const QString& line) override;
    // The user's choice when made (a bare name is looked up on PATH), otherwise "povray" from
    // PATH; empty when neither is an executable.
    QString RaytracerPath() override;
    // What RaytracerPath makes of a chosen path or name (empty: none chosen).
    static QString resolveRaytracer(const QString& chosen);
    // Paths need no short form here.
    QString ShortPath(const QString& path) override { return path; }

    // The last folder a file was chosen in, kept in the user's settings under the key.
    void LoadDialogState(const QString& registryKey) override;
    void SaveDialogState(const QString& registryKey) override;
    // A file dialog, or the installed answer (the studio's command line, tests). A recording's
    // video may also be written as .mp4 or .mkv.
    void ShowSaveDialog(QWidget* owner, QString& fileName, const QString& description,
                        const QString& extension, bool confirmOverwrite,
                        std::int32_t& result) override;
    void SplitPath(const QString& path, QString& baseName, QString& folder,
                   QString& extension) override;

    // Answers the save dialog instead of a person: the chosen path, or empty for Cancel.
    void answerSaveDialog(SaveDialogAnswer answer) { *m_saveAnswer = std::move(answer); }
    const QString& dialogFolder() const { return m_dialogFolder; }

private:
    QString m_logPath;
    std::weak_ptr<outside::ApplicationState> m_state;
    QStringList m_lines;
    QString m_dialogFolder;
    std::shared_ptr<SaveDialogAnswer> m_saveAnswer;
};

} // namespace vellum::sg
