#pragma once

#include "VellumCommonExport.h"

class QWidget;

namespace vellum::common {

inline constexpr int TwipsPerInch = 1440;

// Layout sizes are given in twips; pixels follow the logical DPI of the widget's screen.
VELLUMCOMMON_EXPORT int twipsToPixels(int twips, double logicalDpi);
VELLUMCOMMON_EXPORT int pixelsToTwips(int pixels, double logicalDpi);
VELLUMCOMMON_EXPORT int twipsToPixelsX(int twips, const QWidget* widget);
VELLUMCOMMON_EXPORT int twipsToPixelsY(int twips, const QWidget* widget);

} // namespace vellum::common
