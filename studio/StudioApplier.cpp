#include "StudioApplier.h"

#include "OperationPictures.h"

#include <sg/OperationType.h>
#include <sg/ShapeKind.h>

namespace vellum::studio {

namespace {

bool onGeometry(const outside::OperationEntry& entry, int type)
{
    return entry.type == type && sg::isGeometricKind(entry.targetKind);
}

} // namespace

bool StudioApplier::OperationCheck1(const outside::OperationEntry& entry)
{
    return onGeometry(entry, sg::OperationType::Scale);
}

bool StudioApplier::OperationCheck2(const outside::OperationEntry& entry)
{
    return onGeometry(entry, sg::OperationType::Colour);
}

bool StudioApplier::OperationCheck3(const outside::OperationEntry& entry)
{
    return onGeometry(entry, sg::OperationType::Spin) && entry.targetKind != sg::ShapeKind::Sphere;
}

bool StudioApplier::OperationCheck4(const outside::OperationEntry& entry)
{
    return onGeometry(entry, sg::OperationType::Stretch);
}

QImage StudioApplier::OperationPicture(std::int32_t type)
{
    return operationPicture(type);
}

} // namespace vellum::studio
