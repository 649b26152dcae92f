#pragma once

#include <QColor>

namespace vellum::viewport {

class ClipVolume;
class FrameBuffers;
class ViewProjection;
struct RenderScene;

// The reference grid on the y = 0 plane: depth-tested lines that fade out towards the grid's
// rim, with the two axes drawn stronger.
void drawGroundGrid(const RenderScene& scene, const ViewProjection& view, const ClipVolume& volume,
                    float thicknessSamples, FrameBuffers& buffers);

} // namespace vellum::viewport
