#include "GroundGrid.h"

#include "ClipVolume.h"
#include "LineRasterizer.h"
#include "RenderScene.h"
#include "ViewProjection.h"

#include <algorithm>
#include <cmath>

namespace vellum::viewport {

namespace {

constexpr float LineAlpha = 0.35f;
constexpr float AxisAlpha = 0.7f;
constexpr float FadeStart = 0.55f; // of the grid's half extent

float rimFade(float x, float z, float extent)
{
    const float r = std::sqrt(x * x + z * z) / extent;
    const float t = std::clamp((r - FadeStart) / (1.0f - FadeStart), 0.0f, 1.0f);
    return 1.0f - t * t * (3.0f - 2.0f * t);
}

QRgb lineColour(const QColor& background)
{
    return background.lightnessF() < 0.5f ? qRgb(210, 214, 222) : qRgb(60, 62, 68);
}

struct GridContext
{
    const ViewProjection& view;
    const ClipVolume& volume;
    FrameBuffers& buffers;
    QRgb colour;
    float thickness;
    float extent;
};

void drawSegment(const GridContext& grid, const QVector3D& from, const QVector3D& to, float alpha)
{
    ClipVertex a = ViewProjection::toClip(grid.view.clipFromWorld(), from);
    ClipVertex b = ViewProjection::toClip(grid.view.clipFromWorld(), to);
    a.attributes[0] = alpha * rimFade(from.x(), from.z(), grid.extent);
    b.attributes[0] = alpha * rimFade(to.x(), to.z(), grid.extent);
    if (a.attributes[0] <= 0.0f && b.attributes[0] <= 0.0f)
        return;
    if (!grid.volume.clipSegment(a, b))
        return;
    LineVertex la;
    LineVertex lb;
    float invW = 0.0f;
    grid.view.toScreen(a, la.x, la.y, la.depth, invW);
    grid.view.toScreen(b, lb.x, lb.y, lb.depth, invW);
    la.alpha = a.attributes[0];
    lb.alpha = b.attributes[0];
    drawLine(grid.buffers, la, lb, grid.colour, grid.thickness);
}

} // namespace

void drawGroundGrid(const RenderScene& scene, const ViewProjection& view, const ClipVolume& volume,
                    float thicknessSamples, FrameBuffers& buffers)
{
    const int count = scene.gridHalfCount;
    const float spacing = scene.gridSpacing;
    if (count <= 0 || !(spacing > 0.0f))
        return;
    const float extent = float(count) * spacing;
    const GridContext grid{view,  volume, buffers, lineColour(scene.background), thicknessSamples,
                           extent};
    // Short pieces let the fade follow the rim instead of being interpolated across it.
    for (int line = -count; line <= count; ++line) {
        const float offset = float(line) * spacing;
        const float alpha = line == 0 ? AxisAlpha : LineAlpha;
        for (int piece = -count; piece < count; ++piece) {
            const float start = float(piece) * spacing;
            const float end = start + spacing;
            drawSegment(grid, QVector3D(start, 0.0f, offset), QVector3D(end, 0.0f, offset), alpha);
            drawSegment(grid, QVector3D(offset, 0.0f, start), QVector3D(offset, 0.0f, end), alpha);
        }
    }
}

} // namespace vellum::viewport
