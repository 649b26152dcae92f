#pragma once

#include <outside/Applier.h>

namespace vellum::studio {

// The studio's applier: which keyframe operations the studio can show on which shapes.
class StudioApplier final : public outside::Applier
{
public:
    // Scale, colour and stretch show on any geometry.
    bool OperationCheck1(const outside::OperationEntry& entry) override;
    bool OperationCheck2(const outside::OperationEntry& entry) override;
    // A spin shows only on geometry that is not round about its Y axis.
    bool OperationCheck3(const outside::OperationEntry& entry) override;
    bool OperationCheck4(const outside::OperationEntry& entry) override;
    QImage OperationPicture(std::int32_t type) override;
};

} // namespace vellum::studio
