#pragma once

#include "VellumCommonExport.h"

#include <QString>
#include <optional>

namespace vellum::common {

// Numbers typed by the user follow the user's locale; C notation is accepted as well, so that
// "1.5" works everywhere. Written numbers carry no group separators.
VELLUMCOMMON_EXPORT std::optional<double> parseNumber(const QString& text);
VELLUMCOMMON_EXPORT QString formatNumber(double number, int decimalPlaces);

} // namespace vellum::common
