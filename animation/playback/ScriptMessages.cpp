#include "ScriptMessages.h"

namespace vellum::animation {

QString missingEntryQuestion(const QString& subject, const QString& entry)
{
    return QStringLiteral(
               "The script for %1 does not include the required \"%2\". Edit the Script?")
        .arg(subject, entry);
}

QString wrongParametersQuestion(const QString& subject, const QString& entry)
{
    return QStringLiteral("The script for %1 has incorrect parameters for \"%2\". Edit the Script?")
        .arg(subject, entry);
}

QString runTimeErrorQuestion(const QString& subject, const QString& description, int number,
                             std::int32_t line)
{
    return QStringLiteral(
               "Run-time error \"%1\" (%2) occurred in the script for %3 at line %4. Edit the "
               "script?")
        .arg(description, QString::number(number), subject, QString::number(line));
}

} // namespace vellum::animation
