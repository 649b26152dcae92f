#include "MarkerGlyphs.h"

#include <array>

namespace vellum::studio {

namespace {

// Each triangle gets its own corners so the renderer derives one normal per face: the glyphs
// read as faceted solids, not as blobs.
void addTriangle(viewport::RenderMesh& mesh, const QVector3D& a, const QVector3D& b,
                 const QVector3D& c)
{
    const auto base = quint32(mesh.positions.size());
    mesh.positions << a << b << c;
    mesh.indices << base << base + 1 << base + 2;
}

void addQuad(viewport::RenderMesh& mesh, const QVector3D& a, const QVector3D& b, const QVector3D& c,
             const QVector3D& d)
{
    addTriangle(mesh, a, b, c);
    addTriangle(mesh, a, c, d);
}

void addBox(viewport::RenderMesh& mesh, const QVector3D& low, const QVector3D& high)
{
    const auto corner = [&](int x, int y, int z) {
        return QVector3D(x ? high.x() : low.x(), y ? high.y() : low.y(), z ? high.z() : low.z());
    };
    addQuad(mesh, corner(0, 0, 1), corner(1, 0, 1), corner(1, 1, 1), corner(0, 1, 1)); // +Z
    addQuad(mesh, corner(1, 0, 0), corner(0, 0, 0), corner(0, 1, 0), corner(1, 1, 0)); // -Z
    addQuad(mesh, corner(1, 0, 1), corner(1, 0, 0), corner(1, 1, 0), corner(1, 1, 1)); // +X
    addQuad(mesh, corner(0, 0, 0), corner(0, 0, 1), corner(0, 1, 1), corner(0, 1, 0)); // -X
    addQuad(mesh, corner(0, 1, 1), corner(1, 1, 1), corner(1, 1, 0), corner(0, 1, 0)); // +Y
    addQuad(mesh, corner(0, 0, 0), corner(1, 0, 0), corner(1, 0, 1), corner(0, 0, 1)); // -Y
}

} // namespace

viewport::RenderMesh makeLightGlyph(float radius)
{
    viewport::RenderMesh mesh;
    const std::array<QVector3D, 6> tip{QVector3D(radius, 0, 0), QVector3D(-radius, 0, 0),
                                       QVector3D(0, radius, 0), QVector3D(0, -radius, 0),
                                       QVector3D(0, 0, radius), QVector3D(0, 0, -radius)};
    const QVector3D &px = tip[0], &nx = tip[1], &py = tip[2], &ny = tip[3], &pz = tip[4],
                    &nz = tip[5];
    addTriangle(mesh, px, py, pz);
    addTriangle(mesh, pz, py, nx);
    addTriangle(mesh, nx, py, nz);
    addTriangle(mesh, nz, py, px);
    addTriangle(mesh, pz, ny, px);
    addTriangle(mesh, nx, ny, pz);
    addTriangle(mesh, nz, ny, nx);
    addTriangle(mesh, px, ny, nz);
    return mesh;
}

viewport::RenderMesh makeCameraGlyph(float size)
{
    viewport::RenderMesh mesh;
    const float half = size * 0.5f;
    addBox(mesh, QVector3D(-half * 0.6f, -half * 0.8f, 0.0f),
           QVector3D(half * 0.6f, half * 0.8f, size * 1.2f));
    // The lens: apex at the body, square mouth ahead of it.
    const QVector3D apex(0.0f, 0.0f, 0.0f);
    const float mouth = half * 0.9f;
    const float ahead = -size * 0.9f;
    const QVector3D a(-mouth, -mouth, ahead), b(mouth, -mouth, ahead), c(mouth, mouth, ahead),
        d(-mouth, mouth, ahead);
    addTriangle(mesh, apex, a, b);
    addTriangle(mesh, apex, b, c);
    addTriangle(mesh, apex, c, d);
    addTriangle(mesh, apex, d, a);
    addQuad(mesh, a, d, c, b);
    return mesh;
}

viewport::RenderMesh makeOperationGlyph(float halfLength)
{
    viewport::RenderMesh mesh;
    const float t = halfLength * 0.3f;
    addBox(mesh, QVector3D(-halfLength, -t, -t), QVector3D(halfLength, t, t));
    addBox(mesh, QVector3D(-t, -halfLength, -t), QVector3D(t, halfLength, t));
    addBox(mesh, QVector3D(-t, -t, -halfLength), QVector3D(t, t, halfLength));
    return mesh;
}

} // namespace vellum::studio
