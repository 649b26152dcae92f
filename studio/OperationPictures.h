#pragma once

#include <QImage>

namespace vellum::studio {

// The 16 x 16 picture of an operation type's rows; a null image for an unknown type.
QImage operationPicture(int type);

} // namespace vellum::studio
