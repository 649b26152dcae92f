#include "MarkerGlyphs.h"

#include "MeshChecks.h"

#include <gtest/gtest.h>

using namespace vellum;
using namespace vellum::studio;

namespace {

// A triangle's normal (as long as twice its area) and its centre.
std::pair<QVector3D, QVector3D> faceOf(const viewport::RenderMesh& mesh, int triangle)
{
    const QVector3D a = mesh.positions[mesh.indices[3 * triangle]];
    const QVector3D b = mesh.positions[mesh.indices[3 * triangle + 1]];
    const QVector3D c = mesh.positions[mesh.indices[3 * triangle + 2]];
    return {QVector3D::crossProduct(b - a, c - a), (a + b + c) / 3.0f};
}

} // namespace

// Closed glyphs lose their back faces: a face wound the wrong way would be a hole.
TEST(MarkerGlyphs, FacesPointOutwards)
{
    const viewport::RenderMesh light = makeLightGlyph(0.5f);
    ASSERT_EQ(light.indices.size(), 8 * 3);
    vellum::testing::expectWoundOutwards(light);
    // Three bars of six faces each.
    const viewport::RenderMesh operations = makeOperationGlyph(0.5f);
    ASSERT_EQ(operations.indices.size(), 3 * 6 * 2 * 3);
    vellum::testing::expectWoundOutwards(operations);

    const viewport::RenderMesh camera = makeCameraGlyph(1.0f);
    ASSERT_EQ(camera.indices.size() % 3, 0);
    int mouthFaces = 0;
    for (int t = 0; t < int(camera.indices.size() / 3); ++t) {
        const auto [normal, centre] = faceOf(camera, t);
        EXPECT_GT(normal.length(), 0.0f) << "degenerate triangle " << t;
        if (centre.z() < -0.89f) {
            ++mouthFaces;
            EXPECT_LT(normal.z(), 0.0f) << t << ": the lens opens the way the camera looks";
        }
    }
    EXPECT_EQ(mouthFaces, 2);
}
