#pragma once

#include <QRgb>

namespace vellum::viewport {

class FrameBuffers;

struct LineVertex
{
    float x = 0.0f; // sample coordinates, y down
    float y = 0.0f;
    float depth = 0.0f; // reversed, as in the depth buffer
    float alpha = 1.0f;
};

// Blends an anti-aliased line of the given thickness (in samples) over the colour buffer where
// it is not behind the depth buffer. Lines write no depth, so a grid drawn on a surface stays on
// it; the small tolerance keeps such a surface from hiding its own grid.
void drawLine(FrameBuffers& buffers, const LineVertex& a, const LineVertex& b, QRgb colour,
              float thickness);

} // namespace vellum::viewport
