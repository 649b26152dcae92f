#include "StudioViewport.h"

#include "DemoScene.h"

#include <Error.h>
#include <OutsideMocks.h>
#include <QImage>
#include <QSet>
#include <QTest>
#include <gtest/gtest.h>
#include <sg/SceneGraph.h>
#include <viewport/ViewportWidget.h>

using namespace vellum;
using namespace vellum::studio;

namespace {

int colourCount(const QImage& image)
{
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2)
            colours.insert(image.pixel(x, y));
    return int(colours.size());
}

class StudioViewportTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        loadDemoScene(*graph);
        viewport.widget()->resize(160, 120);
    }

    void attach()
    {
        outside::SceneGraphPtr handed = graph;
        viewport.AttachScene(handed, view);
    }
    void look(QVector3D from, QVector3D direction, QVector3D up)
    {
        viewport.SetCameraPosition(from[0], from[1], from[2]);
        viewport.SetCameraOrientation(direction[0], direction[1], direction[2], up[0], up[1],
                                      up[2]);
    }

    std::shared_ptr<sg::SceneGraph> graph = std::make_shared<sg::SceneGraph>();
    std::shared_ptr<outside::View> view = std::make_shared<vellum::testing::MockView>();
    StudioViewport viewport;
};

} // namespace

TEST_F(StudioViewportTest, AttachesOnlyTheStudiosSceneGraph)
{
    outside::SceneGraphPtr foreign = std::make_shared<vellum::testing::MockSceneGraph>();
    EXPECT_THROW(
        {
            try {
                viewport.AttachScene(foreign, view);
            } catch (const Error& error) {
                EXPECT_EQ(error.number(), ErrorNumber::TypeMismatch);
                throw;
            }
        },
        Error);
    outside::SceneGraphPtr none;
    EXPECT_THROW(viewport.AttachScene(none, view), Error);
    EXPECT_EQ(viewport.sceneGraph(), nullptr);

    attach();
    EXPECT_EQ(viewport.sceneGraph(), graph);
    EXPECT_EQ(viewport.view(), view);
}

TEST_F(StudioViewportTest, DrawsTheAttachedSceneThroughTheCameraItWasGiven)
{
    int drawn = 0;
    viewport.onDrawn([&drawn] { ++drawn; });
    attach();
    look({12.0f, 10.5f, 18.0f}, QVector3D(-12.0f, -10.0f, -18.0f).normalized(), {0, 1, 0});
    viewport.setCameraFieldOfView(40.0f);

    viewport.Draw();
    EXPECT_EQ(drawn, 1);
    int geometric = 0;
    for (const auto& shape : graph->scene()->shapeList())
        geometric += shape->isVisible() && shape->isGeometric();
    // Only the shapes themselves: light and camera markers are the modeller's.
    EXPECT_EQ(viewport.viewportWidget()->scene().items.size(), geometric);
    EXPECT_FALSE(viewport.viewportWidget()->scene().groundGrid);
    EXPECT_EQ(viewport.viewportWidget()->camera().fieldOfViewDegrees, 40.0f);
    const QImage scene = viewport.viewportWidget()->render();
    EXPECT_GT(colourCount(scene), 20);

    // Straight up into the empty sky nothing but the background is left.
    look({0.0f, 2.0f, 0.0f}, {0, 1, 0}, {0, 0, -1});
    viewport.Draw();
    EXPECT_EQ(drawn, 2);
    EXPECT_EQ(colourCount(viewport.viewportWidget()->render()), 1);

    // The scene is read again at every drawing.
    viewport.setDisplayOption(true);
    for (const auto& shape : graph->scene()->shapeList()) {
        if (shape->isGeometric()) {
            shape->setVisible(false);
            break;
        }
    }
    viewport.Draw();
    EXPECT_EQ(viewport.viewportWidget()->scene().items.size(), geometric - 1);
    EXPECT_TRUE(viewport.viewportWidget()->scene().groundGrid);
}

TEST_F(StudioViewportTest, KeepsSettingsAndReportsPresses)
{
    viewport.setAntiAliasing(4);
    viewport.setBackgroundTexture(QStringLiteral("marble.bmp"));
    viewport.setSettingValueA(2);
    viewport.setSettingValueB(7);
    viewport.setSettingValueC(0);
    EXPECT_EQ(viewport.viewportWidget()->antiAliasing(), 4);
    EXPECT_EQ(viewport.backgroundTexture(), QStringLiteral("marble.bmp"));
    EXPECT_EQ(viewport.settingValueA(), 2);
    EXPECT_EQ(viewport.settingValueB(), 7);

    int presses = 0;
    viewport.onMouseEvent([&presses] { ++presses; });
    const viewport::RenderCamera before = viewport.viewportWidget()->camera();
    QTest::mousePress(viewport.widget(), Qt::RightButton, {}, QPoint(80, 60));
    QTest::mouseMove(viewport.widget(), QPoint(120, 90));
    QTest::mouseRelease(viewport.widget(), Qt::RightButton, {}, QPoint(120, 90));
    QTest::mouseClick(viewport.widget(), Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(presses, 2);
    // A drag stops the animation; it must not also turn the camera.
    EXPECT_EQ(viewport.viewportWidget()->camera().direction, before.direction);
}
