#include "SceneRenderAdapter.h"

#include "DemoScene.h"

#include <gtest/gtest.h>
#include <sg/Scene.h>

using namespace vellum;
using namespace vellum::studio;

namespace {

int indexOfShape(const SceneRenderAdapter& adapter, int itemCount, const sg::Shape* shape)
{
    for (int i = 0; i < itemCount; ++i)
        if (adapter.shapeAt(i).get() == shape)
            return i;
    return -1;
}

} // namespace

TEST(SceneRenderAdapter, DrawsEveryVisibleShapeWhereItStands)
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
        const int index = indexOfShape(adapter, int(built.items.size()), shape.get());
        if (!shape->isVisible()) {
            EXPECT_EQ(index, -1);
            continue;
        }
        ++geometric;
        ASSERT_GE(index, 0) << qPrintable(shape->name());
        EXPECT_EQ(built.items[index].world, shape->worldTransform()) << qPrintable(shape->name());
        EXPECT_EQ(built.items[index].colour, shape->colour());
        EXPECT_FALSE(built.items[index].mesh->indices.isEmpty());
    }
    // Besides geometry: one glyph per light and one for the camera, which is off the root.
    EXPECT_EQ(built.items.size(), geometric + scene->lightList().size() + 1);
    ASSERT_EQ(built.lights.size(), scene->lightList().size());
    EXPECT_EQ(built.lights.first().position, scene->lightList().first()->position());

    const auto sunMarker = scene->lightMarker(scene->lightList().first()->code());
    const int glyph = indexOfShape(adapter, int(built.items.size()), sunMarker.get());
    ASSERT_GE(glyph, 0);
    EXPECT_EQ(built.items[glyph].world.column(3).toVector3D(),
              scene->lightList().first()->position());
}

TEST(SceneRenderAdapter, ConvertsEachGeometryOnce)
{
    const auto scene = createDemoScene();
    SceneRenderAdapter adapter;
    const viewport::RenderScene first = adapter.build(*scene);
    const int conversions = adapter.meshCache().conversions();
    EXPECT_GT(conversions, 0);

    scene->group(demo::HopperGroup)->ApplyFrame(60.0f);
    scene->rootGroup()->RefreshTree(true);
    const viewport::RenderScene second = adapter.build(*scene);
    EXPECT_EQ(adapter.meshCache().conversions(), conversions);
    ASSERT_EQ(first.items.size(), second.items.size());
    for (int i = 0; i < first.items.size(); ++i)
        EXPECT_EQ(first.items[i].mesh, second.items[i].mesh);

    // A new size is new geometry.
    const auto crate = scene->group(demo::HopperGroup)->shapes().front();
    crate->setDimensions(QVector3D(2, 1, 1));
    adapter.build(*scene);
    EXPECT_EQ(adapter.meshCache().conversions(), conversions + 1);
}

TEST(SceneRenderAdapter, LightensTheSelection)
{
    const auto scene = createDemoScene();
    const auto crate = scene->group(demo::HopperGroup)->shapes().front();
    SceneRenderAdapter adapter;
    const viewport::RenderScene built = adapter.build(*scene, {crate.get()});
    const int index = indexOfShape(adapter, int(built.items.size()), crate.get());
    ASSERT_GE(index, 0);
    const QColor shown = built.items[index].colour;
    EXPECT_GT(shown.lightness(), crate->colour().lightness());
    EXPECT_EQ(adapter.shapeAt(int(built.items.size())), nullptr);
    EXPECT_EQ(adapter.shapeAt(-1), nullptr);
}
