#include "SceneRefresh.h"

#include "Animation.h"
#include "AnimationPrivate.h"
#include "ApplicationState.h"
#include "Camera.h"
#include "Enumerations.h"
#include "ErrorRule.h"
#include "Group.h"
#include "Light.h"
#include "ModuleState.h"
#include "RenderUtility.h"
#include "Scene.h"
#include "Shape.h"

namespace vellum::animation {

using outside::ModeAnimation;

void SceneRefresh::RefreshScene()
{
    outside::passOn([&] {
        const outside::ApplicationStatePtr state = applicationState();
        const outside::ScenePtr scene = required(state->Scene());
        refreshShapes(*state, *scene);
        if (state->Mode() == ModeAnimation)
            poseLightsAndCameras(*state, *scene);
        ApplyLookAts();
    });
}

void SceneRefresh::refreshShapes(outside::ApplicationState& state, outside::Scene& scene)
{
    for (outside::ShapePtr shape : scene.Shapes()) {
        const bool refreshAlways = shape->RefreshAlways();
        const bool animationMode = state.Mode() == ModeAnimation;
        const bool scripted = !shape->Script().isEmpty();
        if ((animationMode && scripted) || refreshAlways)
            scene.UpdateShape(shape, shape->ParentGroup(), refreshAlways, false, true, true);
        if (animationMode) {
            bool scriptChanged = false;
            m_panel.q.RunShapeScript(module().gcCSG, shape, state.SceneDeviceID(), scriptChanged);
        }
    }
}

void SceneRefresh::poseLightsAndCameras(outside::ApplicationState& state, outside::Scene& scene)
{
    for (outside::LightPtr light : scene.Lights()) {
        light->RestoreAnimationState();
        light->ApplyFrame(state.CurrentFrame());
        bool scriptChanged = false;
        std::int32_t device = state.SceneDeviceID();
        m_panel.q.RunLightScript(module().gcCSG, light, scriptChanged, device);
    }
    for (outside::CameraPtr camera : scene.Cameras()) {
        camera->RestoreAnimationState();
        camera->ApplyFrame(state.CurrentFrame());
        bool scriptChanged = false;
        std::int32_t device = state.SceneDeviceID();
        m_panel.q.RunCameraScript(module().gcCSG, camera, scriptChanged, device);
    }
}

void SceneRefresh::ApplyLookAts()
{
    outside::passOn([&] {
        const outside::ScenePtr scene = required(applicationState()->Scene());
        const outside::Collection<outside::Group>& groups = scene->Groups();
        for (const outside::GroupPtr& group : groups) {
            const std::int32_t targetNumber = group->LookAtID();
            if (targetNumber == 0)
                continue;
            outside::GroupPtr target;
            // A target that was deleted, or whose code overflows, is skipped silently.
            if (!outside::ignoreFailure([&] {
                    std::int32_t code = 0;
                    if (__builtin_mul_overflow(targetNumber, 100, &code) ||
                        __builtin_add_overflow(code, 10, &code))
                        throw Error(ErrorNumber::Overflow, QStringLiteral("Overflow"));
                    target = groups.Item(QString::number(code));
                }))
                continue;
            group->LookAt(target, 0);
        }
    });
}

void SceneRefresh::RestoreShapeState(const outside::ShapePtr& shape, bool redraw)
{
    outside::passOn([&] {
        const std::int32_t kind = required(shape)->Kind();
        if (kind == outside::Kind::Operation) {
            if (redraw)
                emit m_panel.q.evtreqRenderAllViews();
        } else if (kind != outside::Kind::Camera && kind != 16) {
            std::int32_t category = 0;
            renderUtility().KindCategory(kind, category);
        }
    });
}

} // namespace vellum::animation
