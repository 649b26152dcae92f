#include "MeshBuilders.h"

#include <QMap>
#include <gtest/gtest.h>

using namespace vellum::viewport;

namespace {

struct Shape
{
    const char* name;
    RenderMesh (*build)();
};

// Vertices are duplicated for their normals; edges are matched by position.
using PositionKey = std::tuple<int, int, int>;
PositionKey keyOf(const QVector3D& p)
{
    return {qRound(p.x() * 1e4f), qRound(p.y() * 1e4f), qRound(p.z() * 1e4f)};
}

class ClosedMeshTest : public ::testing::TestWithParam<Shape>
{};

} // namespace

TEST_P(ClosedMeshTest, IsUnitSizedWatertightAndWoundOutwards)
{
    const RenderMesh mesh = GetParam().build();
    ASSERT_TRUE(mesh.closed);
    ASSERT_EQ(mesh.normals.size(), mesh.positions.size());
    ASSERT_EQ(mesh.indices.size() % 3, 0);

    QVector3D low(1e9f, 1e9f, 1e9f), high(-1e9f, -1e9f, -1e9f);
    for (const QVector3D& p : mesh.positions) {
        low =
            QVector3D(std::min(low.x(), p.x()), std::min(low.y(), p.y()), std::min(low.z(), p.z()));
        high = QVector3D(std::max(high.x(), p.x()), std::max(high.y(), p.y()),
                         std::max(high.z(), p.z()));
    }
    for (int axis = 0; axis < 3; ++axis) {
        EXPECT_NEAR(low[axis], -0.5f, 1e-5f);
        EXPECT_NEAR(high[axis], 0.5f, 1e-5f);
    }

    // Watertight and consistently wound: every directed edge is met once, in reverse, by a
    // neighbour.
    QMap<std::pair<PositionKey, PositionKey>, int> edges;
    for (qsizetype t = 0; t < mesh.indices.size(); t += 3) {
        const QVector3D a = mesh.positions[mesh.indices[t]];
        const QVector3D b = mesh.positions[mesh.indices[t + 1]];
        const QVector3D c = mesh.positions[mesh.indices[t + 2]];
        const QVector3D face = QVector3D::crossProduct(b - a, c - a);
        ASSERT_GT(face.length(), 1e-7f) << "degenerate triangle " << t / 3;
        EXPECT_GT(QVector3D::dotProduct(face, a + b + c), 0.0f) << "inward triangle " << t / 3;
        EXPECT_GT(QVector3D::dotProduct(face, mesh.normals[mesh.indices[t]]), 0.0f);
        ++edges[{keyOf(a), keyOf(b)}];
        ++edges[{keyOf(b), keyOf(c)}];
        ++edges[{keyOf(c), keyOf(a)}];
    }
    for (auto it = edges.cbegin(); it != edges.cend(); ++it) {
        EXPECT_EQ(it.value(), 1);
        EXPECT_EQ(edges.value({it.key().second, it.key().first}), 1);
    }
}

INSTANTIATE_TEST_SUITE_P(Builders, ClosedMeshTest,
                         ::testing::Values(Shape{"Box", [] { return makeBox(); }},
                                           Shape{"Sphere", [] { return makeSphere(12, 6); }},
                                           Shape{"Cylinder", [] { return makeCylinder(12); }}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MeshBuildersTest, PlaneIsOpenAndFacesUp)
{
    const RenderMesh plane = makePlane(3);
    EXPECT_FALSE(plane.closed);
    EXPECT_EQ(plane.positions.size(), 16);
    EXPECT_EQ(plane.indices.size(), 3 * 2 * 9);
    for (qsizetype t = 0; t < plane.indices.size(); t += 3) {
        const QVector3D a = plane.positions[plane.indices[t]];
        const QVector3D face = QVector3D::crossProduct(plane.positions[plane.indices[t + 1]] - a,
                                                       plane.positions[plane.indices[t + 2]] - a);
        EXPECT_GT(face.y(), 0.0f);
        EXPECT_EQ(a.y(), 0.0f);
    }
    EXPECT_EQ(makeSphere(32, 16).indices.size() / 3, 2 * 32 * 15);
}
