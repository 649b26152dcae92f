#pragma once

#include "Forward.h"

namespace vellum::animation {

class AnimationPrivate;

// Puts the scene into its state at the current frame on top of the posed groups: shapes that
// must be re-evaluated, lights and cameras at the frame, component scripts, and look-ats.
class SceneRefresh
{
public:
    explicit SceneRefresh(AnimationPrivate& panel) : m_panel(panel) {}

    void RefreshScene();
    void ApplyLookAts();
    void RestoreShapeState(const outside::ShapePtr& shape, bool redraw);

private:
    void refreshShapes(outside::ApplicationState& state, outside::Scene& scene);
    void poseLightsAndCameras(outside::ApplicationState& state, outside::Scene& scene);

    AnimationPrivate& m_panel;
};

} // namespace vellum::animation
