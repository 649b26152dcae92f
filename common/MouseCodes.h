#pragma once

#include "VellumCommonExport.h"

#include <Qt>

namespace vellum::common {

// The codes that MouseDown / MouseUp handlers receive: buttons 1 left, 2 right, 4 middle;
// shift state as the bit set 1 Shift, 2 Ctrl, 4 Alt.
namespace MouseCode {
inline constexpr int LeftButton = 1;
inline constexpr int RightButton = 2;
inline constexpr int MiddleButton = 4;

inline constexpr int Shift = 1;
inline constexpr int Ctrl = 2;
inline constexpr int Alt = 4;
} // namespace MouseCode

VELLUMCOMMON_EXPORT int mouseButtonCode(Qt::MouseButtons buttons);
VELLUMCOMMON_EXPORT int shiftCode(Qt::KeyboardModifiers modifiers);

} // namespace vellum::common
