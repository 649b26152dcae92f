#include "MeshBuilders.h"

#include "MeshChecks.h"

#include <QMap>
#include <gtest/gtest.h>

using namespace vellum::viewport;

namespace {

// Vertices are duplicated for their normals; edges are matched by position.
using PositionKey = std::tuple<int, int, int>;
PositionKey keyOf(const QVector3D& p)
{
    return {qRound(p.x() * 1e4f), qRound(p.y() * 1e4f), qRound(p.z() * 1e4f)};
}

} // namespace

TEST(MeshBuildersTest, ClosedMeshesAreUnitSizedWatertightAndWoundOutwards)
{
    for (const RenderMesh& mesh : {makeBox(), makeSphere(12, 6), makeCylinder(12)}) {
        ASSERT_TRUE(mesh.closed);
        const auto [low, high] = vellum::testing::boundsOf(mesh);
        EXPECT_LT((low - QVector3D(-0.5f, -0.5f, -0.5f)).length(), 1e-5f);
        EXPECT_LT((high - QVector3D(0.5f, 0.5f, 0.5f)).length(), 1e-5f);
        vellum::testing::expectWoundOutwards(mesh);

        // Watertight: every directed edge is met once, in reverse, by a neighbour.
        QMap<std::pair<PositionKey, PositionKey>, int> edges;
        for (qsizetype t = 0; t < mesh.indices.size(); t += 3) {
            const QVector3D a = mesh.positions[mesh.indices[t]];
            const QVector3D b = mesh.positions[mesh.indices[t + 1]];
            const QVector3D c = mesh.positions[mesh.indices[t + 2]];
            ++edges[{keyOf(a), keyOf(b)}];
            ++edges[{keyOf(b), keyOf(c)}];
            ++edges[{keyOf(c), keyOf(a)}];
        }
        for (auto it = edges.cbegin(); it != edges.cend(); ++it) {
            EXPECT_EQ(it.value(), 1);
            EXPECT_EQ(edges.value({it.key().second, it.key().first}), 1);
        }
    }
}

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
