#include "MeshPass.h"

#include "ClipVolume.h"
#include "FrameBuffers.h"
#include "Lighting.h"
#include "RenderScene.h"
#include "ViewProjection.h"

#include <QGenericMatrix>

namespace vellum::viewport {

namespace {

QVector3D transformNormal(const QMatrix3x3& m, const QVector3D& n)
{
    const QVector3D r(m(0, 0) * n.x() + m(0, 1) * n.y() + m(0, 2) * n.z(),
                      m(1, 0) * n.x() + m(1, 1) * n.y() + m(1, 2) * n.z(),
                      m(2, 0) * n.x() + m(2, 1) * n.y() + m(2, 2) * n.z());
    return r.normalized();
}

QVector3D transformPoint(const QMatrix4x4& m, const QVector3D& p)
{
    const float* d = m.constData();
    return QVector3D(d[0] * p.x() + d[4] * p.y() + d[8] * p.z() + d[12],
                     d[1] * p.x() + d[5] * p.y() + d[9] * p.z() + d[13],
                     d[2] * p.x() + d[6] * p.y() + d[10] * p.z() + d[14]);
}

} // namespace

const QVector3D* MeshPass::vertexNormals(const RenderMesh& mesh)
{
    if (mesh.normals.size() == mesh.positions.size())
        return mesh.normals.constData();
    // Without normals every vertex gets the area-weighted mean of its triangles' normals.
    m_derivedNormals.assign(std::size_t(mesh.positions.size()), QVector3D());
    for (qsizetype t = 0; t + 2 < mesh.indices.size(); t += 3) {
        const quint32 i0 = mesh.indices[t], i1 = mesh.indices[t + 1], i2 = mesh.indices[t + 2];
        const QVector3D face = QVector3D::crossProduct(mesh.positions[i1] - mesh.positions[i0],
                                                       mesh.positions[i2] - mesh.positions[i0]);
        m_derivedNormals[i0] += face;
        m_derivedNormals[i1] += face;
        m_derivedNormals[i2] += face;
    }
    return m_derivedNormals.data();
}

void MeshPass::shadeVertices(const RenderItem& item, const ViewProjection& view,
                             const ClipVolume& volume, const Lighting& lighting)
{
    const RenderMesh& mesh = *item.mesh;
    const std::size_t count = std::size_t(mesh.positions.size());
    m_clip.resize(count);
    m_outcodes.resize(count);
    m_screen.resize(count);

    const QMatrix4x4 clipFromLocal = view.clipFromWorld() * item.world;
    const QMatrix3x3 normalMatrix = item.world.normalMatrix();
    const QVector3D* normals = vertexNormals(mesh);
    const QVector3D base = Lighting::toLinear(
        QVector3D(item.colour.redF(), item.colour.greenF(), item.colour.blueF()));

    for (std::size_t i = 0; i < count; ++i) {
        const QVector3D& local = mesh.positions[qsizetype(i)];
        const QVector3D world = transformPoint(item.world, local);
        QVector3D normal = transformNormal(normalMatrix, normals[i]);
        if (!mesh.closed) {
            const QVector3D toEye = view.orthographic() ? -view.forward() : view.eye() - world;
            if (QVector3D::dotProduct(normal, toEye) < 0.0f)
                normal = -normal;
        }
        const QVector3D colour = lighting.shade(world, normal, base);
        ClipVertex v = ViewProjection::toClip(clipFromLocal, local);
        v.attributes = {colour.x(), colour.y(), colour.z(), 0.0f};
        m_clip[i] = v;
        m_outcodes[i] = volume.outcode(v);
        if (m_outcodes[i] == 0)
            m_screen[i] = view.toScreenVertex(v);
    }
}

void MeshPass::drawClipped(quint32 i0, quint32 i1, quint32 i2, const ViewProjection& view,
                           const ClipVolume& volume, FrameBuffers& buffers,
                           const TriangleStyle& style)
{
    ClipVolume::Polygon polygon;
    polygon[0] = m_clip[i0];
    polygon[1] = m_clip[i1];
    polygon[2] = m_clip[i2];
    const int count = volume.clipTriangle(polygon);
    if (count == 0)
        return;
    std::array<ScreenVertex, ClipVolume::MaxPolygonSize> screen;
    for (int i = 0; i < count; ++i)
        screen[i] = view.toScreenVertex(polygon[i]);
    for (int i = 1; i + 1 < count; ++i)
        drawTriangle(buffers, screen[0], screen[i], screen[i + 1], style);
}

void MeshPass::draw(const RenderItem& item, qint32 id, const ViewProjection& view,
                    const ClipVolume& volume, const Lighting& lighting, FrameBuffers& buffers)
{
    const RenderMesh& mesh = *item.mesh;
    shadeVertices(item, view, volume, lighting);

    TriangleStyle style;
    style.cullBackFaces = mesh.closed;
    style.blended = item.opacity < 1.0f;
    style.opacity = std::clamp(item.opacity, 0.0f, 1.0f);
    style.id = id;

    const quint32 vertexCount = quint32(mesh.positions.size());
    for (qsizetype t = 0; t + 2 < mesh.indices.size(); t += 3) {
        const quint32 i0 = mesh.indices[t], i1 = mesh.indices[t + 1], i2 = mesh.indices[t + 2];
        if (i0 >= vertexCount || i1 >= vertexCount || i2 >= vertexCount)
            continue;
        const std::uint32_t c0 = m_outcodes[i0], c1 = m_outcodes[i1], c2 = m_outcodes[i2];
        if ((c0 & c1 & c2) != 0)
            continue;
        if ((c0 | c1 | c2) == 0)
            drawTriangle(buffers, m_screen[i0], m_screen[i1], m_screen[i2], style);
        else
            drawClipped(i0, i1, i2, view, volume, buffers, style);
    }
}

} // namespace vellum::viewport
