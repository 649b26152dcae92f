#include "NumberText.h"

#include <QLocale>
#include <cmath>

namespace vellum::common {

std::optional<double> parseNumber(const QString& text)
{
    const QString trimmed = text.trimmed();
    bool ok = false;
    double number = QLocale().toDouble(trimmed, &ok);
    if (!ok)
        number = QLocale::c().toDouble(trimmed, &ok);
    if (!ok || !std::isfinite(number))
        return std::nullopt;
    return number;
}

QString formatNumber(double number, int decimalPlaces)
{
    const double scale = std::pow(10.0, decimalPlaces);
    double rounded = std::round(number * scale) / scale;
    if (rounded == 0.0)
        rounded = 0.0; // no "-0"
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(rounded, 'f', decimalPlaces);
}

} // namespace vellum::common
