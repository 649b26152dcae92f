#pragma once

#include "ClipVertex.h"
#include "ScreenVertex.h"
#include "TriangleRasterizer.h"

#include <QVector3D>
#include <cstdint>
#include <vector>

namespace vellum::viewport {

class ClipVolume;
class FrameBuffers;
class Lighting;
class ViewProjection;
struct RenderItem;
struct RenderMesh;

// Lights, projects, clips and fills the triangles of one item. The per-vertex work lands in
// buffers that grow to the largest mesh and are then reused.
class MeshPass
{
public:
    void draw(const RenderItem& item, qint32 id, const ViewProjection& view,
              const ClipVolume& volume, const Lighting& lighting, FrameBuffers& buffers);

private:
    void shadeVertices(const RenderItem& item, const ViewProjection& view, const ClipVolume& volume,
                       const Lighting& lighting);
    const QVector3D* vertexNormals(const RenderMesh& mesh);
    void drawClipped(quint32 i0, quint32 i1, quint32 i2, const ViewProjection& view,
                     const ClipVolume& volume, FrameBuffers& buffers, const TriangleStyle& style);

    std::vector<ClipVertex> m_clip;
    std::vector<std::uint32_t> m_outcodes;
    std::vector<ScreenVertex> m_screen;
    std::vector<QVector3D> m_derivedNormals;
};

} // namespace vellum::viewport
