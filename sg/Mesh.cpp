#include "Mesh.h"

#include "Shape.h"

#include <cmath>
#include <numbers>

namespace vellum::sg {

namespace {

constexpr int roundSegments = 24;
constexpr int sphereRings = 12;

// A quad a-b-c-d, counter-clockwise seen along -normal.
void addQuad(Mesh& mesh, const QVector3D& a, const QVector3D& b, const QVector3D& c,
             const QVector3D& d, const QVector3D& normal)
{
    const auto base = std::uint32_t(mesh.positions.size());
    for (const QVector3D& corner : {a, b, c, d}) {
        mesh.positions.push_back(corner);
        mesh.normals.push_back(normal);
    }
    for (std::uint32_t i : {0u, 1u, 2u, 0u, 2u, 3u})
        mesh.indices.push_back(base + i);
}

Mesh boxMesh(const QVector3D& size)
{
    const QVector3D h = size / 2.0f;
    Mesh mesh;
    const auto p = [&](float x, float y, float z) {
        return QVector3D(x * h.x(), y * h.y(), z * h.z());
    };
    addQuad(mesh, p(1, -1, -1), p(1, 1, -1), p(1, 1, 1), p(1, -1, 1), QVector3D(1, 0, 0));
    addQuad(mesh, p(-1, -1, 1), p(-1, 1, 1), p(-1, 1, -1), p(-1, -1, -1), QVector3D(-1, 0, 0));
    addQuad(mesh, p(-1, 1, -1), p(-1, 1, 1), p(1, 1, 1), p(1, 1, -1), QVector3D(0, 1, 0));
    addQuad(mesh, p(-1, -1, 1), p(-1, -1, -1), p(1, -1, -1), p(1, -1, 1), QVector3D(0, -1, 0));
    addQuad(mesh, p(-1, -1, 1), p(1, -1, 1), p(1, 1, 1), p(-1, 1, 1), QVector3D(0, 0, 1));
    addQuad(mesh, p(1, -1, -1), p(-1, -1, -1), p(-1, 1, -1), p(1, 1, -1), QVector3D(0, 0, -1));
    return mesh;
}

QVector3D onCircle(int segment, float radius, float y)
{
    const double angle = 2.0 * std::numbers::pi * segment / roundSegments;
    return QVector3D(float(radius * std::cos(angle)), y, float(-radius * std::sin(angle)));
}

Mesh sphereMesh(float radius)
{
    Mesh mesh;
    for (int ring = 0; ring <= sphereRings; ++ring) {
        const double polar = std::numbers::pi * ring / sphereRings;
        for (int segment = 0; segment <= roundSegments; ++segment) {
            const double azimuth = 2.0 * std::numbers::pi * segment / roundSegments;
            const QVector3D normal(float(std::sin(polar) * std::cos(azimuth)),
                                   float(std::cos(polar)),
                                   float(-std::sin(polar) * std::sin(azimuth)));
            mesh.positions.push_back(normal * radius);
            mesh.normals.push_back(normal);
        }
    }
    const auto at = [](int ring, int segment) {
        return std::uint32_t(ring * (roundSegments + 1) + segment);
    };
    for (int ring = 0; ring < sphereRings; ++ring)
        for (int segment = 0; segment < roundSegments; ++segment) {
            const auto a = at(ring, segment), b = at(ring + 1, segment);
            const auto c = at(ring + 1, segment + 1), d = at(ring, segment + 1);
            if (ring > 0)
                mesh.indices.insert(mesh.indices.end(), {a, b, d});
            if (ring < sphereRings - 1)
                mesh.indices.insert(mesh.indices.end(), {d, b, c});
        }
    return mesh;
}

void addCap(Mesh& mesh, float radius, float y, float facing)
{
    const auto centre = std::uint32_t(mesh.positions.size());
    const QVector3D normal(0.0f, facing, 0.0f);
    mesh.positions.push_back(QVector3D(0.0f, y, 0.0f));
    mesh.normals.push_back(normal);
    for (int segment = 0; segment < roundSegments; ++segment) {
        mesh.positions.push_back(onCircle(segment, radius, y));
        mesh.normals.push_back(normal);
    }
    for (int segment = 0; segment < roundSegments; ++segment) {
        const auto a = centre + 1 + std::uint32_t(segment);
        const auto b = centre + 1 + std::uint32_t((segment + 1) % roundSegments);
        if (facing > 0.0f)
            mesh.indices.insert(mesh.indices.end(), {centre, a, b});
        else
            mesh.indices.insert(mesh.indices.end(), {centre, b, a});
    }
}

Mesh cylinderMesh(float radius, float height)
{
    Mesh mesh;
    const float top = height / 2.0f;
    for (int segment = 0; segment < roundSegments; ++segment) {
        const QVector3D a = onCircle(segment, radius, -top),
                        b = onCircle(segment + 1, radius, -top);
        const QVector3D c = onCircle(segment + 1, radius, top), d = onCircle(segment, radius, top);
        const auto base = std::uint32_t(mesh.positions.size());
        for (const QVector3D& corner : {a, b, c, d}) {
            mesh.positions.push_back(corner);
            mesh.normals.push_back(QVector3D(corner.x(), 0.0f, corner.z()).normalized());
        }
        for (std::uint32_t i : {0u, 1u, 2u, 0u, 2u, 3u})
            mesh.indices.push_back(base + i);
    }
    addCap(mesh, radius, top, 1.0f);
    addCap(mesh, radius, -top, -1.0f);
    return mesh;
}

Mesh planeMesh(float width, float depth)
{
    Mesh mesh;
    const float x = width / 2.0f, z = depth / 2.0f;
    addQuad(mesh, QVector3D(-x, 0, -z), QVector3D(-x, 0, z), QVector3D(x, 0, z),
            QVector3D(x, 0, -z), QVector3D(0, 1, 0));
    return mesh;
}

} // namespace

Mesh meshFor(const Shape& shape)
{
    const QVector3D d = shape.dimensions();
    switch (shape.kind()) {
    case ShapeKind::Box:
        return boxMesh(d);
    case ShapeKind::Sphere:
        return sphereMesh(d.x());
    case ShapeKind::Cylinder:
        return cylinderMesh(d.x(), d.y());
    case ShapeKind::Plane:
        return planeMesh(d.x(), d.z());
    default:
        return {};
    }
}

} // namespace vellum::sg
