#pragma once

#include <array>

namespace vellum::viewport {

// A vertex between projection and division: x and y in clip space, w the divisor, viewDepth the
// distance along the view axis, and the attributes that are interpolated across the primitive.
struct ClipVertex
{
    float x = 0.0f;
    float y = 0.0f;
    float w = 1.0f;
    float viewDepth = 0.0f;
    std::array<float, 4> attributes{};
};

ClipVertex lerp(const ClipVertex& a, const ClipVertex& b, float t);

} // namespace vellum::viewport
