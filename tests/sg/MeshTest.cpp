// Triangle meshes of the geometric shapes.
#include "MeshChecks.h"

#include <Error.h>
#include <gtest/gtest.h>
#include <sg/Mesh.h>
#include <sg/Shape.h>

using namespace vellum;
using namespace vellum::sg;

TEST(Meshes, AreClosedToTheOutsideAndSizedByTheDimensions)
{
    const struct
    {
        int kind;
        QVector3D dimensions;
        QVector3D extent; // half size of the bounding box
    } rows[] = {{ShapeKind::Box, QVector3D(2, 4, 6), QVector3D(1, 2, 3)},
                {ShapeKind::Sphere, QVector3D(1.5f, 0, 0), QVector3D(1.5f, 1.5f, 1.5f)},
                {ShapeKind::Cylinder, QVector3D(1, 3, 0), QVector3D(1, 1.5f, 1)},
                {ShapeKind::Plane, QVector3D(8, 0, 2), QVector3D(4, 0, 1)}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.kind);
        Shape shape(row.kind, 1, QString());
        shape.setDimensions(row.dimensions);
        const Mesh mesh = meshFor(shape);
        ASSERT_GT(mesh.triangleCount(), 0);
        ASSERT_EQ(mesh.normals.size(), mesh.positions.size());
        const auto [low, high] = vellum::testing::boundsOf(mesh);
        EXPECT_LT((high - row.extent).length(), 1e-4f);
        EXPECT_LT((low + row.extent).length(), 1e-4f);
        vellum::testing::expectWoundOutwards(mesh, row.kind != ShapeKind::Plane);
        for (const QVector3D& normal : mesh.normals)
            EXPECT_NEAR(normal.length(), 1.0f, 1e-4f);
    }
    // Markers have no mesh; an unknown kind is no shape.
    EXPECT_EQ(meshFor(Shape(ShapeKind::LightMarker, 1, QString())).triangleCount(), 0);
    EXPECT_EQ(meshFor(Shape(ShapeKind::CameraMarker, 1, QString())).triangleCount(), 0);
    EXPECT_THROW(Shape(16, 1, QString()), vellum::Error);
}
