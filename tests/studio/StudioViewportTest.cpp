#include "StudioViewport.h"

#include "StudioHarness.h"

#include <ErrorNumber.h>
#include <OutsideMocks.h>
#include <QTest>
#include <gtest/gtest.h>
#include <sg/SceneGraph.h>
#include <viewport/ViewportWidget.h>

using namespace vellum;
using namespace vellum::studio;

namespace {

void look(StudioViewport& viewport, QVector3D from, QVector3D direction, QVector3D up)
{
    viewport.SetCameraPosition(from[0], from[1], from[2]);
    viewport.SetCameraOrientation(direction[0], direction[1], direction[2], up[0], up[1], up[2]);
}

} // namespace

// A press stops an animation; it must not also turn the camera.
TEST(StudioViewport, DrawsOnlyTheStudiosSceneGraphThroughItsCameraAndReportsPresses)
{
    StudioViewport viewport;
    viewport.widget()->resize(160, 120);
    int drawn = 0, presses = 0;
    viewport.onDrawn([&drawn] { ++drawn; });
    viewport.onMouseEvent([&presses] { ++presses; });
    const auto view = std::make_shared<vellum::testing::MockView>();
    outside::SceneGraphPtr foreign = std::make_shared<vellum::testing::MockSceneGraph>();
    EXPECT_EQ(vellum::testing::errorNumberOf([&] { viewport.AttachScene(foreign, view); }),
              ErrorNumber::TypeMismatch);
    auto graph = std::make_shared<sg::SceneGraph>();
    loadDemoScene(*graph);
    outside::SceneGraphPtr handed = graph;
    viewport.AttachScene(handed, view);

    look(viewport, {12.0f, 10.5f, 18.0f}, QVector3D(-12.0f, -10.0f, -18.0f).normalized(),
         {0, 1, 0});
    viewport.Draw();
    EXPECT_EQ(drawn, 1);
    EXPECT_EQ(viewport.viewportWidget()->scene().items.size(), geometricShapes(*graph->scene()));
    EXPECT_GT(colourCount(viewport.viewportWidget()->render()), 20);

    // Straight up into the empty sky nothing but the background is left.
    look(viewport, {0.0f, 2.0f, 0.0f}, {0, 1, 0}, {0, 0, -1});
    viewport.Draw();
    EXPECT_EQ(drawn, 2);
    EXPECT_EQ(colourCount(viewport.viewportWidget()->render()), 1);

    const viewport::RenderCamera before = viewport.viewportWidget()->camera();
    QTest::mousePress(viewport.widget(), Qt::RightButton, {}, QPoint(80, 60));
    QTest::mouseMove(viewport.widget(), QPoint(120, 90));
    QTest::mouseRelease(viewport.widget(), Qt::RightButton, {}, QPoint(120, 90));
    QTest::mouseClick(viewport.widget(), Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(presses, 2);
    EXPECT_EQ(viewport.viewportWidget()->camera().direction, before.direction);
}
