#pragma once

#include "Forward.h"

#include <cstdint>

namespace vellum::animation {

// What the whole library shares: the bound scene graph and applier, the service objects made
// from them on first use, and the ghost counts.
struct ModuleState
{
    outside::SceneGraphPtr gcCSG;
    outside::ApplierPtr applier;
    std::int32_t lGhostPrecedingNumber = 0;
    std::int32_t lGhostFollowingNumber = 0;

    outside::AppUtilityPtr appUtility;
    outside::RenderUtilityPtr renderUtility;
    outside::GraphicsUtilityPtr graphicsUtility;
    outside::PictureFactoryPtr pictureFactory;
};

ModuleState& module();

// Binds the scene graph and applier; services made from another scene graph are dropped.
void bindModule(outside::SceneGraphPtr sceneGraph, outside::ApplierPtr applier);

// Forgets everything, as a library loaded afresh.
void resetModule();

// The bound scene graph; refused with "Object variable not set" when nothing is bound.
outside::SceneGraph& sceneGraph();
outside::ApplicationStatePtr applicationState();

outside::AppUtility& appUtility();
outside::RenderUtility& renderUtility();
outside::GraphicsUtility& graphicsUtility();
outside::PictureFactory& pictureFactory();

} // namespace vellum::animation
