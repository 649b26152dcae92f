#include "MeshCache.h"

#include <sg/Mesh.h>
#include <sg/Shape.h>

namespace vellum::studio {

namespace {

viewport::RenderMesh convert(const sg::Mesh& source, bool closed)
{
    viewport::RenderMesh mesh;
    mesh.positions = QList<QVector3D>(source.positions.begin(), source.positions.end());
    mesh.normals = QList<QVector3D>(source.normals.begin(), source.normals.end());
    mesh.indices = QList<quint32>(source.indices.begin(), source.indices.end());
    mesh.closed = closed;
    return mesh;
}

} // namespace

std::shared_ptr<const viewport::RenderMesh> MeshCache::meshFor(const sg::Shape& shape)
{
    const Key key{shape.kind(), shape.dimensions()};
    auto found = m_meshes.constFind(key);
    if (found != m_meshes.cend())
        return found.value();
    // A plane is a sheet: seen from below it must not vanish.
    const bool closed = shape.kind() != sg::ShapeKind::Plane;
    auto mesh = std::make_shared<const viewport::RenderMesh>(convert(sg::meshFor(shape), closed));
    ++m_conversions;
    m_meshes.insert(key, mesh);
    return mesh;
}

} // namespace vellum::studio
