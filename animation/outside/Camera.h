#pragma once

#include "Forward.h"
#include "Keyframed.h"
#include "Scripting.h"

#include <QString>
#include <cstdint>

namespace vellum::outside {

class Camera : public Keyframed, public Scripted
{
public:
    virtual QString Name() = 0;
    virtual std::int32_t ID() = 0;
    virtual GroupPtr ParentGroup() = 0;
    // Field of view in degrees at a frame; -1 is the current frame.
    virtual float FieldOfView(float frame) = 0;

    virtual void SaveAnimationState() = 0;
    virtual void RestoreAnimationState() = 0;
    virtual void ApplyFrame(float frame) = 0;
};

} // namespace vellum::outside
