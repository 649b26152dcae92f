#pragma once

#include <cstddef>
#include <cstdint>

namespace vellum::outside {

// The application state's animation settings: a 96-byte record. The panel changes Keys and
// KeysPerSecond and writes every other byte back as read.
struct AnimationSettings
{
    std::int32_t Keys = 100;          // the last frame number
    float KeysPerSecond = 10.0f;      // frames per second of the animation
    std::int32_t viewportDetail = 0;  // handed to the animation window's viewport as is
    std::uint8_t reservedA[40] = {};  // the scene graph's
    std::int32_t viewportShading = 0; // converted by the render service for the viewport
    std::uint8_t reservedB[40] = {};  // the scene graph's
};

static_assert(sizeof(AnimationSettings) == 96);
static_assert(offsetof(AnimationSettings, Keys) == 0);
static_assert(offsetof(AnimationSettings, KeysPerSecond) == 4);
static_assert(offsetof(AnimationSettings, viewportDetail) == 8);
static_assert(offsetof(AnimationSettings, viewportShading) == 52);

} // namespace vellum::outside
