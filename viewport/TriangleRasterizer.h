#pragma once

#include "ScreenVertex.h"

#include <QtGlobal>

namespace vellum::viewport {

class FrameBuffers;

struct TriangleStyle
{
    bool cullBackFaces = true;
    // Blended triangles are tested against the depth buffer but leave depth and ids alone.
    bool blended = false;
    float opacity = 1.0f;
    qint32 id = -1;
};

// Fills the samples whose centres lie inside the triangle. Vertices are snapped to 1/256 of a
// sample and edges follow the top-left rule, so triangles that share an edge cover each sample
// along it exactly once. Front faces run counter-clockwise on the screen with y pointing up.
void drawTriangle(FrameBuffers& buffers, const ScreenVertex& v0, const ScreenVertex& v1,
                  const ScreenVertex& v2, const TriangleStyle& style);

} // namespace vellum::viewport
