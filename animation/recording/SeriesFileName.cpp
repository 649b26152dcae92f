#include "SeriesFileName.h"

namespace vellum::animation {

QString seriesFileName(const QString& folder, const QString& baseName, const QString& extension,
                       std::int32_t number, std::int32_t total)
{
    int digits = 0;
    for (std::int32_t limit = 10; limit <= 100000 && digits == 0; limit *= 10)
        if (total < limit)
            digits = QString::number(limit).size() - 1;
    return folder + baseName + QStringLiteral("%1").arg(number, digits, 10, QLatin1Char('0')) +
           QLatin1Char('.') + extension;
}

} // namespace vellum::animation
