#include "AppUtility.h"

#include "ApplicationState.h"
#include "Logging.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>
#include <outside/Platform.h>

namespace vellum::sg {

namespace {

const QString DialogSection = QStringLiteral("Dialogs");
const QString LastFolderKey = QStringLiteral("LastFolder");

// The dialog's filter: the asked-for type first; a video may also go into the other containers
// the writer knows.
QString saveFilter(const QString& description, const QString& extension)
{
    QStringList filters{QStringLiteral("%1 (*.%2)").arg(description, extension.toLower())};
    if (extension.compare(QLatin1String("avi"), Qt::CaseInsensitive) == 0) {
        filters << QStringLiteral("MPEG-4 Video (*.mp4)")
                << QStringLiteral("Matroska Video (*.mkv)");
    }
    return filters.join(QStringLiteral(";;"));
}

} // namespace

AppUtility::AppUtility(QString logPath, std::shared_ptr<SaveDialogAnswer> answers,
                       std::weak_ptr<outside::ApplicationState> state)
    : m_logPath(std::move(logPath)), m_state(std::move(state)),
      m_saveAnswer(answers ? std::move(answers) : std::make_shared<SaveDialogAnswer>())
{}

QString AppUtility::defaultLogPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) +
           QStringLiteral("/vellum.log");
}

void AppUtility::WriteLine(const QString& line)
{
    const QString stamped =
        QDateTime::currentDateTime().toString(Qt::ISODateWithMs) + QLatin1Char(' ') + line;
    m_lines.append(stamped);

    QDir().mkpath(QFileInfo(m_logPath).absolutePath());
    QFile file(m_logPath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text)) {
        qCWarning(lcSceneGraph) << "cannot write the application log" << m_logPath
                                << file.errorString();
        return;
    }
    file.write(stamped.toUtf8());
    file.write("\n");
}

void AppUtility::LoadDialogState(const QString& registryKey)
{
    m_dialogFolder =
        outside::platform().GetSetting(registryKey, DialogSection, LastFolderKey, QString());
}

void AppUtility::SaveDialogState(const QString& registryKey)
{
    outside::platform().SaveSetting(registryKey, DialogSection, LastFolderKey, m_dialogFolder);
}

void AppUtility::ShowSaveDialog(QWidget* owner, QString& fileName, const QString& description,
                                const QString& extension, bool confirmOverwrite,
                                std::int32_t& result)
{
    QString chosen;
    if (*m_saveAnswer) {
        chosen = (*m_saveAnswer)(description, extension);
    } else {
        QString selectedFilter;
        const QString start = QDir(m_dialogFolder).filePath(fileName);
        chosen = QFileDialog::getSaveFileName(
            owner, QString(), start, saveFilter(description, extension), &selectedFilter,
            confirmOverwrite ? QFileDialog::Options() : QFileDialog::DontConfirmOverwrite);
        if (!chosen.isEmpty() && QFileInfo(chosen).suffix().isEmpty())
            chosen += QLatin1Char('.') + extension.toLower();
    }
    if (chosen.isEmpty()) {
        result = 0;
        return;
    }
    fileName = chosen;
    m_dialogFolder = QFileInfo(chosen).absolutePath();
    result = outside::SaveDialogChosen;
}

void AppUtility::SplitPath(const QString& path, QString& baseName, QString& folder,
                           QString& extension)
{
    const QFileInfo info(path);
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    folder = slash < 0 ? QString() : path.left(slash + 1);
    extension = info.suffix();
    baseName = extension.isEmpty() ? info.fileName() : info.completeBaseName();
}

QString AppUtility::RaytracerPath()
{
    const auto state = m_state.lock();
    const QString registryKey =
        state ? state->RegistryKey() : ApplicationState::defaultRegistryKey();
    return resolveRaytracer(outside::platform().GetSetting(
        registryKey, QStringLiteral("Application"), raytracerPathKey(), QString()));
}

QString AppUtility::resolveRaytracer(const QString& chosen)
{
    if (chosen.isEmpty())
        return QStandardPaths::findExecutable(QStringLiteral("povray"));
    if (!chosen.contains(QLatin1Char('/')))
        return QStandardPaths::findExecutable(chosen);
    const QFileInfo file(chosen);
    return file.isFile() && file.isExecutable() ? file.absoluteFilePath() : QString();
}

} // namespace vellum::sg
