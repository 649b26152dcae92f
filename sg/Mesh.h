#pragma once

#include "VellumSGExport.h"

#include <QVector3D>
#include <cstdint>
#include <vector>

namespace vellum::sg {

class Shape;

// Triangles in the shape's own frame (its offset not applied), counter-clockwise seen from
// outside; one normal per position.
struct Mesh
{
    std::vector<QVector3D> positions;
    std::vector<QVector3D> normals;
    std::vector<std::uint32_t> indices;

    int triangleCount() const { return int(indices.size() / 3); }
};

// Markers have no geometry: their mesh is empty.
VELLUMSG_EXPORT Mesh meshFor(const Shape& shape);

} // namespace vellum::sg
