#pragma once

namespace vellum::viewport {

// A projected vertex in sample coordinates (y down). The colour is premultiplied by invW so
// that it can be interpolated linearly on the screen and still come out perspective-correct.
struct ScreenVertex
{
    float x = 0.0f;
    float y = 0.0f;
    float depth = 0.0f; // reversed: 1 at the near plane
    float invW = 1.0f;
    float red = 0.0f; // 0..255, times invW
    float green = 0.0f;
    float blue = 0.0f;
};

} // namespace vellum::viewport
