#pragma once

#include <QList>
#include <QVector3D>

namespace vellum::viewport {

// Triangles in the mesh's own frame. Normals are per vertex; when they are missing the renderer
// derives them from the triangles.
struct RenderMesh
{
    QList<QVector3D> positions;
    QList<QVector3D> normals;
    QList<quint32> indices;
    // Closed meshes lose their back faces; open ones (a plane) are lit from both sides.
    bool closed = true;
};

} // namespace vellum::viewport
