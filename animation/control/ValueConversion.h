#pragma once

#include "AutotestExport.h"

#include <QString>
#include <cstdint>

namespace vellum::animation {

// The conversions the panel applies to numbers and texts. Each refuses what it cannot convert
// with the runtime error a user would expect (13 type mismatch, 6 overflow, 11 division by zero).

// x rounded to the nearest whole number, halves to even.
VELLUM_AUTOTEST_EXPORT std::int32_t roundHalfEven(double value);

// A settings or typed text as a Long: the number rounded halves to even.
VELLUM_AUTOTEST_EXPORT std::int32_t toLong(const QString& text);
// "True"/"False" in any case, or a number (anything but 0 is True).
VELLUM_AUTOTEST_EXPORT bool toBoolean(const QString& text);
// A typed number in the user's locale (C notation accepted too).
VELLUM_AUTOTEST_EXPORT double toNumber(const QString& text);

VELLUM_AUTOTEST_EXPORT QString booleanText(bool value);
VELLUM_AUTOTEST_EXPORT QString longText(std::int32_t value);

// "###0.00": at least one digit before the point, always two after.
VELLUM_AUTOTEST_EXPORT QString formatSeconds(double seconds);
// Single-precision division that refuses a zero divisor.
VELLUM_AUTOTEST_EXPORT float divide(float dividend, float divisor);

} // namespace vellum::animation
