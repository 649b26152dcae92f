#pragma once

#include "AutotestExport.h"

#include <QImage>

namespace vellum::animation {

// An independent copy of the picture: the same size, pixel format and pixels, owned by a new
// picture. Refused with "Object variable not set" for an empty picture.
VELLUM_AUTOTEST_EXPORT QImage CopyPicture(const QImage& picture);

} // namespace vellum::animation
