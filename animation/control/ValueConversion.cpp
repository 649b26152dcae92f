#include "ValueConversion.h"

#include "Error.h"
#include "NumberText.h"

#include <cmath>
#include <limits>

namespace vellum::animation {

std::int32_t roundHalfEven(double value)
{
    if (!std::isfinite(value))
        throw Error(ErrorNumber::Overflow, QStringLiteral("Overflow"));
    const double rounded = std::nearbyint(value); // the default mode rounds halves to even
    if (rounded < double(std::numeric_limits<std::int32_t>::min()) ||
        rounded > double(std::numeric_limits<std::int32_t>::max()))
        throw Error(ErrorNumber::Overflow, QStringLiteral("Overflow"));
    return std::int32_t(rounded);
}

double toNumber(const QString& text)
{
    const std::optional<double> number = common::parseNumber(text.trimmed());
    if (!number)
        throw Error::typeMismatch();
    return *number;
}

std::int32_t toLong(const QString& text)
{
    return roundHalfEven(toNumber(text));
}

bool toBoolean(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (trimmed.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    return toNumber(trimmed) != 0.0;
}

QString booleanText(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

QString longText(std::int32_t value)
{
    return QString::number(value);
}

QString formatSeconds(double seconds)
{
    QString text = QString::number(seconds, 'f', 2);
    if (text == QLatin1String("-0.00"))
        text.remove(0, 1);
    return text;
}

float divide(float dividend, float divisor)
{
    if (divisor == 0.0f)
        throw Error::divisionByZero();
    return dividend / divisor;
}

} // namespace vellum::animation
