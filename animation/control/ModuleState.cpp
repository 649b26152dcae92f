#include "ModuleState.h"

#include "AnimationCommands.h"
#include "ApplicationState.h"
#include "Applier.h"
#include "ErrorRule.h"
#include "PovExporter.h"
#include "SceneGraph.h"

namespace vellum::animation {

namespace {

// From the bound scene graph, or after unbinding from the one last bound while it lives: the
// control still logs its end then.
template <typename Service, typename Create>
Service& serviceOnFirstUse(std::shared_ptr<Service>& cached, Create create)
{
    if (!cached) {
        outside::SceneGraphPtr source = module().gcCSG;
        if (!source)
            source = module().serviceSource.lock();
        cached = outside::required(create(*outside::required(source)));
    }
    return *cached;
}

} // namespace

ModuleState& module()
{
    static ModuleState state;
    return state;
}

void bindModule(outside::SceneGraphPtr sceneGraph, outside::ApplierPtr applier)
{
    ModuleState& state = module();
    // Services are kept across unbinding and binding again; another scene graph's would act on
    // a scene that is no longer there.
    if (sceneGraph && state.serviceSource.lock() != sceneGraph) {
        state.appUtility.reset();
        state.renderUtility.reset();
        state.graphicsUtility.reset();
        state.pictureFactory.reset();
        state.animationCommands.reset();
        state.povExporter.reset();
        state.serviceSource = sceneGraph;
    }
    state.gcCSG = std::move(sceneGraph);
    state.applier = std::move(applier);
}

void resetModule()
{
    module() = ModuleState();
}

outside::SceneGraph& sceneGraph()
{
    if (!module().gcCSG)
        throw Error::objectNotSet();
    return *module().gcCSG;
}

outside::ApplicationStatePtr applicationState()
{
    return outside::required(sceneGraph().ApplicationState());
}

outside::ShapePtr activeComponent()
{
    return selectedItem(applicationState()->SceneDeviceID(), 0);
}

outside::ShapePtr selectedItem(std::int32_t sceneDeviceId, std::int32_t index)
{
    return outside::required(sceneGraph().SelectedItem(sceneDeviceId, index));
}

outside::AppUtility& appUtility()
{
    return serviceOnFirstUse(module().appUtility,
                             [](outside::SceneGraph& graph) { return graph.CreateAppUtility(); });
}

outside::RenderUtility& renderUtility()
{
    return serviceOnFirstUse(module().renderUtility, [](outside::SceneGraph& graph) {
        return graph.CreateRenderUtility();
    });
}

outside::GraphicsUtility& graphicsUtility()
{
    return serviceOnFirstUse(module().graphicsUtility, [](outside::SceneGraph& graph) {
        return graph.CreateGraphicsUtility();
    });
}

outside::PictureFactory& pictureFactory()
{
    return serviceOnFirstUse(module().pictureFactory, [](outside::SceneGraph& graph) {
        return graph.CreatePictureFactory();
    });
}

outside::AnimationCommands& animationCommands()
{
    return serviceOnFirstUse(module().animationCommands, [](outside::SceneGraph& graph) {
        return graph.CreateAnimationCommands();
    });
}

outside::PovExporter& povExporter()
{
    return serviceOnFirstUse(module().povExporter,
                             [](outside::SceneGraph& graph) { return graph.CreatePovExporter(); });
}

outside::Applier& applier()
{
    if (!module().applier)
        throw Error::objectNotSet();
    return *module().applier;
}

} // namespace vellum::animation
