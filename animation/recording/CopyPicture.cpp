#include "CopyPicture.h"

#include "Error.h"
#include "GraphicsUtility.h"
#include "ModuleState.h"

namespace vellum::animation {

QImage CopyPicture(const QImage& picture)
{
    if (picture.isNull())
        throw Error::objectNotSet();
    // QImage::copy of the whole picture is one block copy of the bits in the source's format.
    QImage copy = picture.copy();
    if (copy.isNull())
        throw Error(ErrorNumber::OutOfMemory, QStringLiteral("Out of memory"));
    return graphicsUtility().PictureFromBitmap(std::move(copy), 0);
}

} // namespace vellum::animation
