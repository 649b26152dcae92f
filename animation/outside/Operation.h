#pragma once

#include "Keyframed.h"

#include <QString>
#include <cstdint>

namespace vellum::outside {

// A keyframe operation: an animated modifier that an operation component (kind 11) applies to
// one shape of the scene. Its keys hold the modifier's amount; a frame of -1 is the current one.
class Operation : public Keyframed
{
public:
    // Scene-wide, from 1; operation rows of the grid carry Number x 100 + 11.
    virtual std::int32_t Number() = 0;
    virtual QString Name() = 0;
};

} // namespace vellum::outside
