#pragma once

#include "AutotestExport.h"

#include <QIcon>
#include <QString>

namespace vellum::animation {

// The picture of a panel button, by the button's name; an empty icon for names without one.
VELLUM_AUTOTEST_EXPORT QIcon panelImage(const QString& name);

} // namespace vellum::animation
