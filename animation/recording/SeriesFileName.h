#pragma once

#include "AutotestExport.h"

#include <QString>
#include <cstdint>

namespace vellum::animation {

// The file of output frame number (from 1) in a bitmap series of total frames: folder, base
// name, the number padded with zeros to the digits of the total (up to five; plain decimal from
// 100000 frames on), a dot and the extension.
VELLUM_AUTOTEST_EXPORT QString seriesFileName(const QString& folder, const QString& baseName,
                                              const QString& extension, std::int32_t number,
                                              std::int32_t total);

} // namespace vellum::animation
