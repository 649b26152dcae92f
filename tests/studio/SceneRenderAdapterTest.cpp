#include "SceneRenderAdapter.h"

#include "DemoScene.h"

#include <gtest/gtest.h>
#include <sg/OperationType.h>
#include <sg/Scene.h>

using namespace vellum;
using namespace vellum::studio;

namespace {

// The index of the shape's item in the scene the adapter built last, or -1.
int indexOfShape(const SceneRenderAdapter& adapter, const viewport::RenderScene& built,
                 const sg::Shape* shape)
{
    for (int i = 0; i < built.items.size(); ++i)
        if (adapter.shapeAt(i).get() == shape)
            return i;
    return -1;
}

bool nearlyEqual(const QVector3D& a, const QVector3D& b)
{
    return (a - b).length() < 1e-4f;
}

} // namespace

TEST(SceneRenderAdapter, DrawsEveryVisibleShapeWhereItStandsConvertingEachGeometryOnce)
{
    const auto scene = createDemoScene();
    const auto hidden = scene->group(demo::TowerGroup)->shapes().front();
    hidden->setVisible(false);
    scene->group(demo::OrbiterGroup)->ApplyFrame(30.0f);
    scene->rootGroup()->RefreshTree(true);

    SceneRenderAdapter adapter;
    const viewport::RenderScene built = adapter.build(*scene);
    int geometric = 0;
    for (const auto& shape : scene->shapeList()) {
        if (!shape->isGeometric())
            continue;
        const int index = indexOfShape(adapter, built, shape.get());
        if (!shape->isVisible()) {
            EXPECT_EQ(index, -1);
            continue;
        }
        ++geometric;
        ASSERT_GE(index, 0) << qPrintable(shape->name());
        const auto& item = built.items[index];
        EXPECT_EQ(std::tuple(item.world, item.colour, item.mesh->indices.isEmpty()),
                  std::tuple(shape->worldTransform(), shape->colour(), false))
            << qPrintable(shape->name());
    }
    // Besides geometry: one glyph per light, one for the camera, which is off the root, and one
    // for the operation component.
    EXPECT_EQ(built.items.size(), geometric + scene->lightList().size() + 2);
    ASSERT_EQ(built.lights.size(), scene->lightList().size());
    EXPECT_EQ(built.lights.first().position, scene->lightList().first()->position());

    const auto sunMarker = scene->lightMarker(scene->lightList().first()->code());
    const int glyph = indexOfShape(adapter, built, sunMarker.get());
    ASSERT_GE(glyph, 0);
    EXPECT_EQ(built.items[glyph].world.column(3).toVector3D(),
              scene->lightList().first()->position());

    // Each geometry is converted once; the selection is drawn lighter.
    const int conversions = adapter.meshCache().conversions();
    EXPECT_GT(conversions, 0);
    scene->group(demo::HopperGroup)->ApplyFrame(60.0f);
    scene->rootGroup()->RefreshTree(true);
    const auto crate = scene->group(demo::HopperGroup)->shapes().front();
    const viewport::RenderScene second = adapter.build(*scene, {crate.get()});
    EXPECT_EQ(adapter.meshCache().conversions(), conversions);
    const auto meshes = [](const viewport::RenderScene& drawn) {
        QList<const void*> all;
        for (const auto& item : drawn.items)
            all << item.mesh.get();
        return all;
    };
    EXPECT_EQ(meshes(built), meshes(second));
    const int selected = indexOfShape(adapter, second, crate.get());
    ASSERT_GE(selected, 0);
    EXPECT_GT(second.items[selected].colour.lightness(), crate->colour().lightness());
    EXPECT_EQ(std::tuple(adapter.shapeAt(int(second.items.size())), adapter.shapeAt(-1)),
              std::tuple(nullptr, nullptr));

    // A new size is new geometry.
    crate->setDimensions(QVector3D(2, 1, 1));
    adapter.build(*scene);
    EXPECT_EQ(adapter.meshCache().conversions(), conversions + 1);
}

TEST(SceneRenderAdapter, DrawsOperationEffectsAndTheirComponents)
{
    const auto scene = createDemoScene();
    const auto pulse = scene->operation(demo::SwellOperation)->component();
    const auto ball = scene->operation(demo::SwellOperation)->target();
    const auto crate = scene->group(demo::HopperGroup)->shapes().front();
    scene->addOperation(pulse, sg::OperationType::Spin, QStringLiteral("Turn"), crate)
        ->setAmount(90.0f);
    scene->operation(demo::SwellOperation)->setAmount(2.0f);
    const auto blush = scene->operation(demo::BlushOperation);
    blush->setAmount(1.0f);

    SceneRenderAdapter adapter;
    const viewport::RenderScene built = adapter.build(*scene);
    const auto itemOf = [&](const sg::Shape& shape) -> const viewport::RenderItem& {
        const int index = indexOfShape(adapter, built, &shape);
        EXPECT_GE(index, 0) << qPrintable(shape.name());
        return built.items.at(std::max(index, 0));
    };

    // Scaled about its own centre, which stays where the group puts it.
    const QMatrix4x4 ballWorld = ball->worldTransform();
    EXPECT_TRUE(nearlyEqual(itemOf(*ball).world.map(QVector3D(1, 0, 0)),
                            ballWorld.map(QVector3D(2, 0, 0))));
    EXPECT_TRUE(nearlyEqual(itemOf(*ball).world.map(QVector3D()), ballWorld.map(QVector3D())));
    EXPECT_EQ(itemOf(*ball).colour.rgb(), blush->tint().rgb());
    // A quarter turn about its own Y: its X axis points where its -Z pointed.
    EXPECT_TRUE(nearlyEqual(itemOf(*crate).world.mapVector(QVector3D(1, 0, 0)),
                            crate->worldTransform().mapVector(QVector3D(0, 0, -1))));
    EXPECT_EQ(itemOf(*crate).colour, crate->colour());

    EXPECT_EQ(itemOf(*pulse).world, pulse->worldTransform());
    EXPECT_FALSE(itemOf(*pulse).mesh->indices.isEmpty());

    // Played back, the effects stay and the marker goes.
    const QMatrix4x4 swollen = itemOf(*ball).world;
    adapter.setMarkersShown(false);
    const viewport::RenderScene played = adapter.build(*scene);
    EXPECT_EQ(indexOfShape(adapter, played, pulse.get()), -1);
    const int ballIndex = indexOfShape(adapter, played, ball.get());
    ASSERT_GE(ballIndex, 0);
    EXPECT_EQ(played.items[ballIndex].world, swollen);
}
