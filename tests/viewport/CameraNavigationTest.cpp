#include "CameraNavigation.h"

#include <gtest/gtest.h>

using namespace vellum::viewport;

namespace {

RenderCamera lookingAt(const QVector3D& position, const QVector3D& target)
{
    RenderCamera camera;
    camera.position = position;
    camera.direction = target - position;
    camera.up = QVector3D(0, 1, 0);
    return camera;
}

void expectLooksAt(const RenderCamera& camera, const QVector3D& target)
{
    const QVector3D towards = (target - camera.position).normalized();
    EXPECT_NEAR(QVector3D::dotProduct(towards, camera.direction.normalized()), 1.0f, 1e-4f);
    EXPECT_NEAR(QVector3D::dotProduct(camera.up, camera.direction.normalized()), 0.0f, 1e-4f);
    EXPECT_GT(camera.up.y(), 0.0f);
}

} // namespace

TEST(CameraNavigationTest, OrbitKeepsThePivotInViewAtTheSameDistance)
{
    const QVector3D pivot(1, 0, -2);
    const RenderCamera start = lookingAt(QVector3D(1, 3, 6), pivot);
    const float distance = (start.position - pivot).length();

    const RenderCamera turned = orbitCamera(start, pivot, 90, 0);
    EXPECT_NEAR((turned.position - pivot).length(), distance, 1e-4f);
    EXPECT_NEAR(turned.position.y(), 3.0f, 1e-4f);
    EXPECT_NEAR(turned.position.x(), 1.0f + 8.0f, 1e-3f); // a quarter turn about the vertical
    expectLooksAt(turned, pivot);

    const RenderCamera raised = orbitCamera(start, pivot, 0, -30);
    EXPECT_GT(raised.position.y(), start.position.y());
    EXPECT_NEAR((raised.position - pivot).length(), distance, 1e-4f);
    expectLooksAt(raised, pivot);

    // Pitching far past the pole stops short of it instead of flipping the view.
    const RenderCamera overhead = orbitCamera(start, pivot, 0, -400);
    EXPECT_LT(overhead.direction.normalized().y(), -0.99f);
    EXPECT_GT(overhead.position.y(), 0.0f);
    expectLooksAt(overhead, pivot);
}

TEST(CameraNavigationTest, DollyAndPanMoveAlongAndAcrossTheView)
{
    const QVector3D pivot(0, 0, 0);
    RenderCamera camera = lookingAt(QVector3D(0, 0, 10), pivot);
    const RenderCamera closer = dollyCamera(camera, pivot, 0.5f);
    EXPECT_NEAR(closer.position.z(), 5.0f, 1e-5f);
    EXPECT_EQ(closer.orthoHeight, camera.orthoHeight);

    camera.orthographic = true;
    EXPECT_NEAR(dollyCamera(camera, pivot, 0.5f).orthoHeight, camera.orthoHeight * 0.5f, 1e-5f);

    const RenderCamera panned = panCamera(camera, 2, 1);
    EXPECT_NEAR(panned.position.x(), 2.0f, 1e-5f);
    EXPECT_NEAR(panned.position.y(), 1.0f, 1e-5f);
    EXPECT_NEAR(panned.position.z(), 10.0f, 1e-5f);
    EXPECT_EQ(pivotAhead(camera, 4), QVector3D(0, 0, 6));
}
