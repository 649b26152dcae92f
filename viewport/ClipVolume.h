#pragma once

#include "ClipVertex.h"

#include <array>
#include <cstdint>

namespace vellum::viewport {

// The near and far planes plus a guard band well outside the screen. Cutting at the guard band,
// not at the screen edges, keeps the rasterizer's fixed-point arithmetic in range while sparing
// almost every triangle a cut.
class ClipVolume
{
public:
    static constexpr int PlaneCount = 6;
    static constexpr int MaxPolygonSize = 3 + PlaneCount;
    using Polygon = std::array<ClipVertex, MaxPolygonSize>;

    ClipVolume(float nearPlane, float farPlane);

    // One bit per plane the vertex lies outside of.
    std::uint32_t outcode(const ClipVertex& v) const;

    // Cuts the triangle in polygon[0..2] to the volume; returns the vertex count left (0 or 3+).
    int clipTriangle(Polygon& polygon) const;
    // Cuts the segment in place; false when nothing of it is left.
    bool clipSegment(ClipVertex& a, ClipVertex& b) const;

private:
    float distance(int plane, const ClipVertex& v) const;

    float m_near;
    float m_far;
};

} // namespace vellum::viewport
