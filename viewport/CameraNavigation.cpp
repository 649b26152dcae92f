#include "CameraNavigation.h"

#include <QQuaternion>
#include <QtMath>
#include <algorithm>

namespace vellum::viewport {

namespace {

constexpr float PitchLimitDegrees = 88.0f;
const QVector3D WorldUp(0.0f, 1.0f, 0.0f);

QVector3D forwardOf(const RenderCamera& camera)
{
    return camera.direction.lengthSquared() > 0.0f ? camera.direction.normalized()
                                                   : QVector3D(0.0f, 0.0f, -1.0f);
}

QVector3D rightOf(const RenderCamera& camera)
{
    const QVector3D forward = forwardOf(camera);
    QVector3D right = QVector3D::crossProduct(forward, camera.up);
    if (right.lengthSquared() < 1e-10f)
        right = QVector3D::crossProduct(forward, WorldUp);
    if (right.lengthSquared() < 1e-10f)
        right = QVector3D(1.0f, 0.0f, 0.0f);
    return right.normalized();
}

} // namespace

RenderCamera orbitCamera(const RenderCamera& camera, const QVector3D& pivot, float yawDegrees,
                         float pitchDegrees)
{
    const QVector3D forward = forwardOf(camera);
    const float elevation = qRadiansToDegrees(std::asin(std::clamp(forward.y(), -1.0f, 1.0f)));
    const float newElevation =
        std::clamp(elevation + pitchDegrees, -PitchLimitDegrees, PitchLimitDegrees);
    const QQuaternion pitch =
        QQuaternion::fromAxisAndAngle(rightOf(camera), newElevation - elevation);
    const QQuaternion turn = QQuaternion::fromAxisAndAngle(WorldUp, yawDegrees) * pitch;

    RenderCamera result = camera;
    result.position = pivot + turn.rotatedVector(camera.position - pivot);
    result.direction = turn.rotatedVector(forward);
    const QVector3D right = QVector3D::crossProduct(result.direction, WorldUp);
    result.up = right.lengthSquared() > 1e-10f
                    ? QVector3D::crossProduct(right, result.direction).normalized()
                    : turn.rotatedVector(camera.up);
    return result;
}

RenderCamera dollyCamera(const RenderCamera& camera, const QVector3D& pivot, float factor)
{
    RenderCamera result = camera;
    result.position = pivot + (camera.position - pivot) * factor;
    if (camera.orthographic)
        result.orthoHeight = camera.orthoHeight * factor;
    return result;
}

RenderCamera panCamera(const RenderCamera& camera, float right, float up)
{
    const QVector3D rightAxis = rightOf(camera);
    const QVector3D upAxis = QVector3D::crossProduct(rightAxis, forwardOf(camera));
    RenderCamera result = camera;
    result.position += rightAxis * right + upAxis * up;
    return result;
}

QVector3D pivotAhead(const RenderCamera& camera, float distance)
{
    return camera.position + forwardOf(camera) * distance;
}

} // namespace vellum::viewport
