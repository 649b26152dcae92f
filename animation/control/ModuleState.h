#pragma once

#include "AutotestExport.h"
#include "Forward.h"

#include <QImage>
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

    // The recording settings that the option dialogs, the recording and snapshot drivers, the
    // preview and the run loop share.
    std::int32_t recordWidth = 0;
    std::int32_t recordHeight = 0;
    std::int32_t recordAntiAlias = 0; // 0 none, 1 "4x", 2 "16x"
    std::int32_t recordFPS = 0;
    bool recordRaytrace = false;
    bool recordSaveAsImages = false;
    bool recordMotionBlur = false;
    // The last option dialog was left without a valid OK.
    bool optionsCancelled = false;
    // While set, the animation window captures every frame it draws into offscreenPicture.
    bool recordingActive = false;
    QImage offscreenPicture;

    outside::AppUtilityPtr appUtility;
    outside::RenderUtilityPtr renderUtility;
    outside::GraphicsUtilityPtr graphicsUtility;
    outside::PictureFactoryPtr pictureFactory;
    outside::AnimationCommandsPtr animationCommands;
    outside::PovExporterPtr povExporter;
    // The scene graph the services come from.
    std::weak_ptr<outside::SceneGraph> serviceSource;
};

VELLUM_AUTOTEST_EXPORT ModuleState& module();

// Binds the scene graph and applier; services made from another scene graph are dropped.
VELLUM_AUTOTEST_EXPORT void bindModule(outside::SceneGraphPtr sceneGraph,
                                       outside::ApplierPtr applier);

// Forgets everything, as a library loaded afresh.
VELLUM_AUTOTEST_EXPORT void resetModule();

// The bound scene graph; refused with "Object variable not set" when nothing is bound.
VELLUM_AUTOTEST_EXPORT outside::SceneGraph& sceneGraph();
VELLUM_AUTOTEST_EXPORT outside::ApplicationStatePtr applicationState();

// A selected component; refused with "Object variable not set" when the scene graph has none there.
VELLUM_AUTOTEST_EXPORT outside::ShapePtr selectedItem(std::int32_t sceneDeviceId,
                                                      std::int32_t index);

// The first selected component of the scene device: the one the key-frame tools work on.
VELLUM_AUTOTEST_EXPORT outside::ShapePtr activeComponent();

VELLUM_AUTOTEST_EXPORT outside::AppUtility& appUtility();
VELLUM_AUTOTEST_EXPORT outside::RenderUtility& renderUtility();
VELLUM_AUTOTEST_EXPORT outside::GraphicsUtility& graphicsUtility();
VELLUM_AUTOTEST_EXPORT outside::PictureFactory& pictureFactory();
VELLUM_AUTOTEST_EXPORT outside::AnimationCommands& animationCommands();
VELLUM_AUTOTEST_EXPORT outside::PovExporter& povExporter();

// The bound applier; refused with "Object variable not set" when the host bound none.
VELLUM_AUTOTEST_EXPORT outside::Applier& applier();

} // namespace vellum::animation
