#pragma once

#include <QSize>
#include <viewport/RenderCamera.h>

namespace vellum::sg {
class Camera;
}

namespace vellum::studio {

// Where the perspective view starts: above and in front, the whole stage in sight.
viewport::RenderCamera defaultPerspectiveCamera();
// The plan view: orthographic, looking straight down -Y with -Z up the screen.
viewport::RenderCamera topCamera();
// Zooms an orthographic camera so the stage fills the narrower side of the view.
void fitStage(viewport::RenderCamera& camera, QSize viewSize);
// Looking through the animation camera as it stands now: its group's origin, the group's -Z,
// and the camera's present field of view. Without a group it keeps the given camera.
viewport::RenderCamera throughAnimationCamera(sg::Camera& camera,
                                              const viewport::RenderCamera& fallback);

} // namespace vellum::studio
