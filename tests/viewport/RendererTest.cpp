#include "Renderer.h"

#include "TestScenes.h"

#include <QSet>
#include <gtest/gtest.h>

using namespace vellum::viewport;
using namespace vellum::viewport::testing;

namespace {

const QSize Size(200, 200);

RenderScene twoBoxes(float redDepth, float greenDepth)
{
    RenderScene scene = emptyScene();
    scene.items = {boxAt(QVector3D(0, 0, -redDepth), 2, Qt::red),
                   boxAt(QVector3D(1, 0, -greenDepth), 2, Qt::green)};
    return scene;
}

// A red square turned off the pixel grid, lit evenly so its inside has one exact colour.
RenderScene tiltedSquare()
{
    RenderScene scene = emptyScene();
    RenderItem square;
    square.mesh = squareMesh(false);
    square.world.translate(0, 0, -3);
    square.world.rotate(20, 0, 0, 1);
    square.world.scale(2);
    square.colour = Qt::red;
    scene.items = {square};
    scene.lights = {distantLight(QVector3D(0, 0, 1))};
    return scene;
}

QSet<QRgb> coloursOf(const QImage& image)
{
    QSet<QRgb> colours;
    countPixels(image, [&](QRgb c) { return colours.insert(c), false; });
    return colours;
}

qint64 totalRed(const QImage& image)
{
    qint64 sum = 0;
    countPixels(image, [&](QRgb c) { return sum += qRed(c), false; });
    return sum;
}

} // namespace

TEST(RendererTest, NearerBoxHidesFartherHiddenItemsAreSkippedAndBackgroundFillsTheRest)
{
    Renderer renderer;
    const QPoint overlap(110, 100);
    const QPoint greenOnly(147, 100);

    QImage image = renderer.render(twoBoxes(5, 8), frontCamera(), Size).copy();
    EXPECT_EQ(image.size(), Size);
    EXPECT_TRUE(reddish(image.pixel(overlap)));
    EXPECT_TRUE(greenish(image.pixel(greenOnly)));
    EXPECT_EQ(image.pixel(5, 5), qRgb(0, 0, 0));
    EXPECT_EQ(std::tuple(renderer.itemAt(overlap), renderer.itemAt(greenOnly),
                         renderer.itemAt(QPoint(5, 5)), renderer.itemAt(QPoint(-1, 100)),
                         renderer.itemAt(QPoint(200, 100))),
              std::tuple(0, 1, -1, -1, -1));

    image = renderer.render(twoBoxes(8, 5), frontCamera(), Size, 4).copy();
    EXPECT_TRUE(greenish(image.pixel(overlap)));
    EXPECT_EQ(renderer.itemAt(overlap), 1);

    RenderScene coloured = twoBoxes(5, 8);
    coloured.background = QColor(10, 20, 200);
    image = renderer.render(coloured, frontCamera(), Size, 2).copy();
    EXPECT_EQ(std::tuple(image.pixel(5, 5), image.pixel(195, 195)),
              std::tuple(qRgb(10, 20, 200), qRgb(10, 20, 200)));

    // Hidden and meshless items are skipped.
    RenderScene hidden = twoBoxes(5, 8);
    hidden.items[0].visible = false;
    hidden.items.append(RenderItem{});
    image = renderer.render(hidden, frontCamera(), Size).copy();
    EXPECT_TRUE(greenish(image.pixel(overlap)));
    EXPECT_EQ(image.pixel(90, 100), qRgb(0, 0, 0));
}

TEST(RendererTest, TriangleCrossingTheNearPlaneIsClippedNotDropped)
{
    auto mesh = std::make_shared<RenderMesh>();
    mesh->positions = {{-10, -1, 10}, {10, -1, 10}, {0, -1, -10}};
    mesh->normals = QList<QVector3D>(3, QVector3D(0, 1, 0));
    mesh->indices = {0, 1, 2};
    mesh->closed = false;
    RenderScene scene = emptyScene();
    scene.items = {RenderItem{mesh, {}, Qt::white, true, 1.0f}};

    Renderer renderer;
    const QImage& image = renderer.render(scene, frontCamera(), Size);
    for (int x = 0; x < Size.width(); ++x)
        ASSERT_NE(image.pixel(x, Size.height() - 1), qRgb(0, 0, 0)) << "column " << x;
    EXPECT_EQ(image.pixel(100, 5), qRgb(0, 0, 0));
}

TEST(RendererTest, BackFacesOfClosedMeshesAreCulled)
{
    RenderScene scene = emptyScene();
    RenderItem square{squareMesh(true), {}, Qt::white, true, 1.0f};
    square.world.translate(0, 0, -3);
    scene.items = {square};
    Renderer renderer;
    EXPECT_NE(renderer.render(scene, frontCamera(), Size).pixel(100, 100), qRgb(0, 0, 0));

    scene.items[0].world.rotate(180, 0, 1, 0);
    EXPECT_EQ(renderer.render(scene, frontCamera(), Size).pixel(100, 100), qRgb(0, 0, 0));

    scene.items[0].mesh = squareMesh(false);
    EXPECT_NE(renderer.render(scene, frontCamera(), Size).pixel(100, 100), qRgb(0, 0, 0));

    // From inside a closed box every face turns its back.
    scene.items = {boxAt(QVector3D(0, 0, 0), 10, Qt::white)};
    EXPECT_EQ(countPixels(renderer.render(scene, frontCamera(), Size),
                          [](QRgb c) { return c != qRgb(0, 0, 0); }),
              0);
}

TEST(RendererTest, SupersamplingBlendsEdgesAndKeepsCoverage)
{
    Renderer renderer;
    const QImage plain = renderer.render(tiltedSquare(), frontCamera(), Size, 0).copy();
    const QImage twoByTwo = renderer.render(tiltedSquare(), frontCamera(), Size, 2).copy();
    const QImage fourByFour = renderer.render(tiltedSquare(), frontCamera(), Size, 4).copy();

    const QSet<QRgb> aliased = coloursOf(plain);
    EXPECT_EQ(aliased, QSet<QRgb>({qRgb(0, 0, 0), qRgb(255, 0, 0)}));
    // 2 x 2 samples give at most three steps between inside and outside, 4 x 4 up to fifteen.
    EXPECT_GT(coloursOf(twoByTwo).size(), 2);
    EXPECT_LE(coloursOf(twoByTwo).size(), 5);
    EXPECT_GT(coloursOf(fourByFour).size(), 5);
    EXPECT_EQ(fourByFour.pixel(100, 100), qRgb(255, 0, 0));

    const double area = double(totalRed(plain));
    EXPECT_NEAR(double(totalRed(twoByTwo)) / area, 1.0, 0.02);
    EXPECT_NEAR(double(totalRed(fourByFour)) / area, 1.0, 0.02);
}

TEST(RendererTest, SharedEdgesAreNeitherCrackedNorBlendedTwice)
{
    // Seen from above, a cylinder's cap is a fan of triangles around one vertex.
    RenderScene scene = emptyScene();
    RenderItem cylinder{
        std::make_shared<const RenderMesh>(makeCylinder(32)), {}, Qt::white, true, 1.0f};
    scene.items = {cylinder};
    scene.lights = {distantLight(QVector3D(0, 1, 0))};
    RenderCamera top;
    top.position = QVector3D(0.013f, 5, 0.007f);
    top.direction = QVector3D(0, -1, 0);
    top.up = QVector3D(0, 0, -1);
    top.orthographic = true;
    top.orthoHeight = 1.2f;
    const QSize size(120, 120);
    Renderer renderer;

    const QRgb opaque = renderer.render(scene, top, size).pixel(60, 60);
    EXPECT_EQ(renderer.itemAt(QPoint(60, 60)), 0);
    scene.items[0].opacity = 0.5f;
    const QImage ghost = renderer.render(scene, top, size).copy();
    const QRgb centre = ghost.pixel(60, 60);
    EXPECT_NEAR(qRed(centre), qRed(opaque) / 2.0, 1.5);
    EXPECT_EQ(renderer.itemAt(QPoint(60, 60)), -1); // ghosts are not pickable
    for (int y = 15; y < 105; ++y)
        for (int x = 15; x < 105; ++x)
            if ((x - 60) * (x - 60) + (y - 60) * (y - 60) < 44 * 44) {
                ASSERT_EQ(ghost.pixel(x, y), centre) << x << "," << y;
            }
}

TEST(RendererTest, GhostsBlendOverTheSceneButStayBehindNearerItems)
{
    RenderScene scene = twoBoxes(5, 8);
    Renderer renderer;
    const QImage opaque = renderer.render(scene, frontCamera(), Size).copy();
    scene.items[1].opacity = 0.4f; // the green box, behind
    scene.items.append(boxAt(QVector3D(0, 0, -3), 0.2f, Qt::blue));
    scene.items.last().opacity = 0.4f;
    const QImage ghosts = renderer.render(scene, frontCamera(), Size).copy();

    EXPECT_EQ(ghosts.pixel(120, 100), opaque.pixel(120, 100)); // red hides the green ghost
    const QRgb greenGhost = ghosts.pixel(147, 100);
    EXPECT_GT(qGreen(greenGhost), 0);
    EXPECT_LT(qGreen(greenGhost), qGreen(opaque.pixel(147, 100)));
    const QRgb blueOverRed = ghosts.pixel(100, 100);
    EXPECT_GT(qBlue(blueOverRed), 0);
    EXPECT_GT(qRed(blueOverRed), 0);
}

TEST(RendererTest, GroundGridShowsBelowTheHorizonAndHidesBehindObjects)
{
    RenderScene scene = emptyScene();
    scene.groundGrid = true;
    RenderCamera camera = frontCamera();
    camera.position = QVector3D(0, 2, 8);
    camera.fieldOfViewDegrees = 45;
    const QSize size(160, 120);
    Renderer renderer;

    const QImage grid = renderer.render(scene, camera, size).copy();
    const QImage sky = grid.copy(0, 0, 160, 59);
    const QImage ground = grid.copy(0, 61, 160, 59);
    EXPECT_EQ(countPixels(sky, [](QRgb c) { return c != qRgb(0, 0, 0); }), 0);
    EXPECT_GT(countPixels(ground, [](QRgb c) { return c != qRgb(0, 0, 0); }), 200);

    scene.items = {boxAt(QVector3D(0, 1.2f, 0.5f), 2, Qt::red)};
    scene.groundGrid = false;
    const QImage withoutGrid = renderer.render(scene, camera, size).copy();
    scene.groundGrid = true;
    const QImage withGrid = renderer.render(scene, camera, size).copy();
    EXPECT_NE(withGrid, withoutGrid);
    int boxPixels = 0;
    for (int y = 1; y < size.height() - 1; ++y)
        for (int x = 1; x < size.width() - 1; ++x)
            if (renderer.itemAt({x, y}) == 0 && renderer.itemAt({x, y + 1}) == 0 &&
                renderer.itemAt({x, y - 1}) == 0) {
                ++boxPixels;
                ASSERT_EQ(withGrid.pixel(x, y), withoutGrid.pixel(x, y)) << x << "," << y;
            }
    EXPECT_GT(boxPixels, 500);
}
