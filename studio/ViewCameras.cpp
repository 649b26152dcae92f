#include "ViewCameras.h"

#include <sg/Camera.h>
#include <sg/Group.h>

namespace vellum::studio {

viewport::RenderCamera defaultPerspectiveCamera()
{
    viewport::RenderCamera camera;
    camera.position = QVector3D(12.0f, 10.5f, 18.0f);
    camera.direction = (QVector3D(-0.5f, 0.5f, 0.0f) - camera.position).normalized();
    camera.up = QVector3D(0.0f, 1.0f, 0.0f);
    camera.fieldOfViewDegrees = 45.0f;
    return camera;
}

viewport::RenderCamera topCamera()
{
    viewport::RenderCamera camera;
    camera.orthographic = true;
    camera.orthoHeight = 22.0f;
    camera.position = QVector3D(0.0f, 40.0f, 0.0f);
    camera.direction = QVector3D(0.0f, -1.0f, 0.0f);
    camera.up = QVector3D(0.0f, 0.0f, -1.0f);
    return camera;
}

void fitStage(viewport::RenderCamera& camera, QSize viewSize)
{
    if (viewSize.isEmpty())
        return;
    constexpr float stage = 16.0f;
    const float aspect = float(viewSize.width()) / float(viewSize.height());
    camera.orthoHeight = aspect < 1.0f ? stage / aspect : stage;
}

viewport::RenderCamera throughAnimationCamera(sg::Camera& camera,
                                              const viewport::RenderCamera& fallback)
{
    const auto group = camera.parentGroup();
    if (!group)
        return fallback;
    outside::Vector3 position, direction, up;
    group->ViewPosition(nullptr, -1.0f, position);
    group->ViewOrientation(nullptr, -1.0f, direction, up);
    viewport::RenderCamera view = fallback;
    view.orthographic = false;
    view.position = QVector3D(position.x, position.y, position.z);
    view.direction = QVector3D(direction.x, direction.y, direction.z);
    view.up = QVector3D(up.x, up.y, up.z);
    view.fieldOfViewDegrees = camera.FieldOfView(-1.0f);
    return view;
}

} // namespace vellum::studio
