#pragma once

#include "VellumSGExport.h"

#include <QStringList>
#include <outside/AppUtility.h>

namespace vellum::sg {

// The application log: a text file the user can read, one timestamped line per entry.
class VELLUMSG_EXPORT AppUtility : public outside::AppUtility
{
public:
    explicit AppUtility(QString logPath = defaultLogPath());

    static QString defaultLogPath();
    const QString& logPath() const { return m_logPath; }
    // The lines written through this object, as they went into the file.
    const QStringList& lines() const { return m_lines; }

    // A log that cannot be written is not worth failing the caller for: the line stays in
    // memory and a warning goes to the debug log.
    void WriteLine(const QString& line) override;

private:
    QString m_logPath;
    QStringList m_lines;
};

} // namespace vellum::sg
