#include "AppUtility.h"

#include "Logging.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace vellum::sg {

AppUtility::AppUtility(QString logPath) : m_logPath(std::move(logPath)) {}

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

} // namespace vellum::sg
