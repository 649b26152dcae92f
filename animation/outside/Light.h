#pragma once

#include "Forward.h"
#include "Keyframed.h"
#include "Scripting.h"

#include <QString>
#include <cstdint>

namespace vellum::outside {

class Light : public Keyframed, public Scripted
{
public:
    virtual QString Name() = 0;
    // First light number x 100 + second light number + 60; its key (as text) in the scene.
    virtual std::int32_t Code() = 0;

    virtual void SaveAnimationState() = 0;
    virtual void RestoreAnimationState() = 0;
    virtual void ApplyFrame(float frame) = 0;
};

} // namespace vellum::outside
