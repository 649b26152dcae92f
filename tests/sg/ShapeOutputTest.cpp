// What is made of the scene's shapes for drawing: triangle meshes for the viewport, and the
// raytracer's scene text. Whether the raytracer draws it where the viewport does is checked with
// the real raytracer in the studio's tests.
#include "MeshChecks.h"

#include <Error.h>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sg/Mesh.h>
#include <sg/OperationType.h>
#include <sg/PovExporter.h>
#include <sg/SceneGraph.h>
#include <sg/Shape.h>

using namespace vellum;
using namespace vellum::sg;

namespace {

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

struct ExportScene
{
    ExportScene()
    {
        rig->setPosition(QVector3D(1, 2, 3));
        box->setColour(Qt::black);
        auto pulse = scene->addOperationComponent(QStringLiteral("Pulse"), rig);
        scene->addOperation(pulse, OperationType::Scale, QStringLiteral("Grow"), box)
            ->setAmount(2.0f);
        auto blush =
            scene->addOperation(pulse, OperationType::Colour, QStringLiteral("Blush"), box);
        blush->setTint(Qt::red);
        blush->setAmount(1.0f);
        floor->setDimensions(QVector3D(4, 0, 2));
        hidden->setVisible(false);
        auto lamp = scene->addLight(1, QStringLiteral("Lamp"));
        lamp->setPosition(QVector3D(1, 5, 1));
        lamp->setColour(Qt::red);
        lamp->setIntensity(0.5f);
        auto eye = scene->addGroup(9, QStringLiteral("Eye"));
        eye->setPosition(QVector3D(0, 0, 10));
        scene->animationCamera()->setParentGroup(eye);
        scene->animationCamera()->setFieldOfView(90.0f);
    }

    QString text(float aspect, bool& usesTif) const
    {
        return QString::fromUtf8(PovExporter::sceneText(*scene, 0.1f, aspect, {}, usesTif));
    }

    SceneGraph graph;
    std::shared_ptr<Scene> scene = graph.scene();
    std::shared_ptr<Group> rig = scene->addGroup(1, QStringLiteral("Rig"));
    std::shared_ptr<Shape> box = scene->addShape(ShapeKind::Box, QStringLiteral("Box"), rig);
    std::shared_ptr<Shape> floor = scene->addShape(ShapeKind::Plane, QStringLiteral("Floor"));
    std::shared_ptr<Shape> hidden = scene->addShape(ShapeKind::Sphere, QStringLiteral("Gone"));
};

TEST(PovExporter, WritesCameraLightsAndShapesAsTheViewportPlacesThem)
{
    ExportScene s;
    bool usesTif = true;
    const QString text = s.text(2.0f, usesTif);
    EXPECT_FALSE(usesTif);
    for (const char* expected : {
             "#version 3.7;",
             "location <0,0,10>",
             "direction <0,0,-0.5>", // 90 degrees: as far as half the picture's height
             "up <0,1,0>",
             "right <2,0,0>", // aspect ratio, in the camera's own right direction
             "light_source { <1,5,1> color srgb <1,0,0> * 0.5 }",
             "box { <-0.5,-0.5,-0.5>, <0.5,0.5,0.5>",
             "pigment { color srgb <1,0,0> }",   // the colour operation's tint
             "matrix <2,0,0,0,2,0,0,0,2,1,2,3>", // group position, then the scale operation
             "polygon { 5, <-2,0,-1>, <2,0,-1>, <2,0,1>, <-2,0,1>, <-2,0,-1>",
             "finish { ambient 0.1 diffuse 1 }",
         })
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n"
                                                                << text.toStdString();
    EXPECT_EQ(text.count(QStringLiteral("matrix")), 2) << "the hidden sphere stays out";
}

TEST(PovExporter, AnswersTifTexturesAndMapsTheImagesItCanRead)
{
    // A texture: whether the raytracer is told of a TIF, and what is written for it.
    const std::tuple<const char*, bool, const char*> rows[] = {
        {"", false, "pigment { color"},
        {"/t/wood.TIF", true, "pigment { color"},
        {"/t/bark.tiff", true, "pigment { color"},
        {"/t/sky map.png", false, "image_map { png \"/t/sky map.png\" map_type 0 }"},
        {"/t/stone.jpg", false, "image_map { jpeg \"/t/stone.jpg\""},
    };
    for (const auto& [texture, tif, written] : rows) {
        ExportScene s;
        s.box->setTexture(QString::fromUtf8(texture));
        bool usesTif = !tif;
        const bool wrote = s.text(1.0f, usesTif).contains(QString::fromUtf8(written));
        EXPECT_EQ(std::pair(usesTif, wrote), std::pair(tif, true)) << texture;
    }
}

TEST(PovExporter, ExportSceneWritesTheFileOrRefuses)
{
    ExportScene s;
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("a b.pov"));
    bool usesTif = true;
    PovExporter exporter;
    exporter.ExportScene(path, s.scene, 0.1f, 1.5f, usesTif, {});
    EXPECT_FALSE(usesTif);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), PovExporter::sceneText(*s.scene, 0.1f, 1.5f, {}, usesTif));

    EXPECT_THROW(exporter.ExportScene(folder.filePath(QStringLiteral("no/such/x.pov")), s.scene,
                                      0.1f, 1.5f, usesTif, {}),
                 Error);
    EXPECT_THROW(exporter.ExportScene(path, nullptr, 0.1f, 1.5f, usesTif, {}), Error);
    EXPECT_THROW(exporter.ExportScene(path, s.scene, 0.1f, 0.0f, usesTif, {}), Error);
}

} // namespace
