#include "MeshBuilders.h"

#include <QtMath>
#include <algorithm>

namespace vellum::viewport {

namespace {

quint32 addVertex(RenderMesh& mesh, const QVector3D& position, const QVector3D& normal)
{
    mesh.positions.append(position);
    mesh.normals.append(normal);
    return quint32(mesh.positions.size() - 1);
}

void addTriangle(RenderMesh& mesh, quint32 a, quint32 b, quint32 c)
{
    mesh.indices.append({a, b, c});
}

// The quad faces the side that u x v points to, wound counter-clockwise seen from there.
void addQuad(RenderMesh& mesh, const QVector3D& centre, const QVector3D& u, const QVector3D& v)
{
    const QVector3D normal = QVector3D::crossProduct(u, v).normalized();
    const quint32 a = addVertex(mesh, centre - u - v, normal);
    const quint32 b = addVertex(mesh, centre + u - v, normal);
    const quint32 c = addVertex(mesh, centre + u + v, normal);
    const quint32 d = addVertex(mesh, centre - u + v, normal);
    addTriangle(mesh, a, b, c);
    addTriangle(mesh, a, c, d);
}

QVector3D onCircle(float angle, float y)
{
    return QVector3D(0.5f * std::cos(angle), y, 0.5f * std::sin(angle));
}

void addCap(RenderMesh& mesh, int segments, float y)
{
    const QVector3D normal(0.0f, y > 0.0f ? 1.0f : -1.0f, 0.0f);
    const quint32 centre = addVertex(mesh, QVector3D(0.0f, y, 0.0f), normal);
    const quint32 first = quint32(mesh.positions.size());
    for (int s = 0; s <= segments; ++s)
        addVertex(mesh, onCircle(2.0f * float(M_PI) * float(s) / float(segments), y), normal);
    for (quint32 s = 0; s < quint32(segments); ++s) {
        if (y > 0.0f)
            addTriangle(mesh, centre, first + s + 1, first + s);
        else
            addTriangle(mesh, centre, first + s, first + s + 1);
    }
}

} // namespace

RenderMesh makeBox()
{
    RenderMesh mesh;
    const QVector3D x(0.5f, 0.0f, 0.0f);
    const QVector3D y(0.0f, 0.5f, 0.0f);
    const QVector3D z(0.0f, 0.0f, 0.5f);
    addQuad(mesh, x, y, z);
    addQuad(mesh, -x, z, y);
    addQuad(mesh, y, z, x);
    addQuad(mesh, -y, x, z);
    addQuad(mesh, z, x, y);
    addQuad(mesh, -z, y, x);
    return mesh;
}

RenderMesh makeSphere(int segments, int rings)
{
    segments = std::max(segments, 3);
    rings = std::max(rings, 2);
    RenderMesh mesh;
    for (int r = 0; r <= rings; ++r) {
        const float theta = float(M_PI) * float(r) / float(rings);
        for (int s = 0; s <= segments; ++s) {
            const float phi = 2.0f * float(M_PI) * float(s) / float(segments);
            const QVector3D normal(std::sin(theta) * std::cos(phi), std::cos(theta),
                                   std::sin(theta) * std::sin(phi));
            addVertex(mesh, 0.5f * normal, normal);
        }
    }
    const auto index = [segments](int r, int s) { return quint32(r * (segments + 1) + s); };
    for (int r = 0; r < rings; ++r) {
        for (int s = 0; s < segments; ++s) {
            if (r != rings - 1)
                addTriangle(mesh, index(r, s), index(r + 1, s + 1), index(r + 1, s));
            if (r != 0)
                addTriangle(mesh, index(r, s), index(r, s + 1), index(r + 1, s + 1));
        }
    }
    return mesh;
}

RenderMesh makeCylinder(int segments)
{
    segments = std::max(segments, 3);
    RenderMesh mesh;
    for (int s = 0; s <= segments; ++s) {
        const float angle = 2.0f * float(M_PI) * float(s) / float(segments);
        const QVector3D normal = onCircle(angle, 0.0f) * 2.0f;
        addVertex(mesh, onCircle(angle, -0.5f), normal);
        addVertex(mesh, onCircle(angle, 0.5f), normal);
    }
    for (quint32 s = 0; s < quint32(segments); ++s) {
        const quint32 bottom = 2 * s;
        addTriangle(mesh, bottom, bottom + 1, bottom + 3);
        addTriangle(mesh, bottom, bottom + 3, bottom + 2);
    }
    addCap(mesh, segments, 0.5f);
    addCap(mesh, segments, -0.5f);
    return mesh;
}

RenderMesh makePlane(int subdivisions)
{
    subdivisions = std::max(subdivisions, 1);
    RenderMesh mesh;
    mesh.closed = false;
    const QVector3D up(0.0f, 1.0f, 0.0f);
    const float step = 1.0f / float(subdivisions);
    for (int j = 0; j <= subdivisions; ++j) {
        for (int i = 0; i <= subdivisions; ++i)
            addVertex(mesh, QVector3D(-0.5f + float(i) * step, 0.0f, -0.5f + float(j) * step), up);
    }
    const auto index = [subdivisions](int i, int j) { return quint32(j * (subdivisions + 1) + i); };
    for (int j = 0; j < subdivisions; ++j) {
        for (int i = 0; i < subdivisions; ++i) {
            addTriangle(mesh, index(i, j), index(i, j + 1), index(i + 1, j + 1));
            addTriangle(mesh, index(i, j), index(i + 1, j + 1), index(i + 1, j));
        }
    }
    return mesh;
}

} // namespace vellum::viewport
