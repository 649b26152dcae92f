#pragma once

#include "AutotestExport.h"

#include <QString>
#include <cstdint>

namespace vellum::animation {

// The questions asked when a component's script fails; subject names the component
// ("the animation camera", light "Key").
VELLUM_AUTOTEST_EXPORT QString missingEntryQuestion(const QString& subject, const QString& entry);
VELLUM_AUTOTEST_EXPORT QString wrongParametersQuestion(const QString& subject,
                                                       const QString& entry);
VELLUM_AUTOTEST_EXPORT QString runTimeErrorQuestion(const QString& subject,
                                                    const QString& description, int number,
                                                    std::int32_t line);

} // namespace vellum::animation
