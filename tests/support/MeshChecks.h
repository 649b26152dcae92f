#pragma once

// Checks that hold for the triangle meshes of every shape, whichever library built them.

#include <QVector3D>
#include <gtest/gtest.h>
#include <utility>

namespace vellum::testing {

template <typename Mesh> std::pair<QVector3D, QVector3D> boundsOf(const Mesh& mesh)
{
    QVector3D low(1e9f, 1e9f, 1e9f), high(-1e9f, -1e9f, -1e9f);
    for (const QVector3D& p : mesh.positions)
        for (int a = 0; a < 3; ++a) {
            low[a] = std::min(low[a], p[a]);
            high[a] = std::max(high[a], p[a]);
        }
    return {low, high};
}

// Every triangle has an area and is wound the way its first vertex's normal points (where the
// mesh has normals); with
// fromCentre, it also faces away from the origin (a closed mesh around it would be turned
// inside out otherwise).
template <typename Mesh> void expectWoundOutwards(const Mesh& mesh, bool fromCentre = true)
{
    ASSERT_EQ(mesh.indices.size() % 3, 0u);
    const bool normals = !mesh.normals.empty();
    ASSERT_TRUE(!normals || mesh.normals.size() == mesh.positions.size());
    for (std::size_t t = 0; t < std::size_t(mesh.indices.size()); t += 3) {
        const QVector3D a = mesh.positions[mesh.indices[t]];
        const QVector3D b = mesh.positions[mesh.indices[t + 1]];
        const QVector3D c = mesh.positions[mesh.indices[t + 2]];
        const QVector3D face = QVector3D::crossProduct(b - a, c - a);
        ASSERT_GT(face.length(), 1e-7f) << "degenerate triangle " << t / 3;
        if (normals) {
            EXPECT_GT(QVector3D::dotProduct(face, mesh.normals[mesh.indices[t]]), 0.0f)
                << "triangle " << t / 3;
        }
        if (fromCentre) {
            EXPECT_GT(QVector3D::dotProduct(face, a + b + c), 0.0f) << "inward triangle " << t / 3;
        }
    }
}

} // namespace vellum::testing
