#pragma once

#include "OperationTableSet.h"

#include <QImage>
#include <cstdint>

namespace vellum::outside {

// The host's applier, bound beside the scene graph. It knows which keyframe operations can be
// keyed on which shapes (one check per kind of operation it applies) and how they look.
class Applier
{
public:
    virtual ~Applier() = default;

    virtual bool OperationCheck1(const OperationEntry& entry) = 0;
    virtual bool OperationCheck2(const OperationEntry& entry) = 0;
    virtual bool OperationCheck3(const OperationEntry& entry) = 0;
    virtual bool OperationCheck4(const OperationEntry& entry) = 0;
    // The picture of an operation row (16 x 16); a null image for a type it does not know.
    virtual QImage OperationPicture(std::int32_t type) = 0;
};

} // namespace vellum::outside
