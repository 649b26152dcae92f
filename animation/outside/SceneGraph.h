#pragma once

#include "ComponentRecord.h"
#include "Forward.h"
#include "Scripting.h"

#include <QList>
#include <QStringList>
#include <cstdint>

namespace vellum::outside {

// The host's scene graph: the application state, the selection, component look-ups and the
// service objects that the panel creates on first use.
class SceneGraph
{
public:
    virtual ~SceneGraph() = default;

    virtual ApplicationStatePtr ApplicationState() = 0;
    virtual ShapePtr NewShape() = 0;

    virtual std::int32_t SelectedCount(std::int32_t sceneDeviceId) = 0;
    virtual ShapePtr SelectedItem(std::int32_t sceneDeviceId, std::int32_t index) = 0;
    virtual std::int32_t SecondarySelectionCount(std::int32_t sceneDeviceId) = 0;
    virtual LightPtr LightByLink(std::int32_t lightLink) = 0;
    virtual CameraPtr CameraByLink(std::int32_t objectLink) = 0;
    virtual QList<CameraPtr> ViewCameras(const ViewPtr& view) = 0;
    // Folders where the raytracer looks for textures and includes, each ending in a separator.
    virtual void LibraryPaths(QStringList& folders, std::int32_t& count) = 0;

    virtual void BindDeviceA(std::int32_t sceneDeviceId) = 0;
    virtual void BindDeviceB(std::int32_t sceneDeviceId) = 0;
    virtual void BindDeviceC(std::int32_t sceneDeviceId) = 0;
    virtual void BindDeviceD(std::int32_t sceneDeviceId) = 0;
    virtual void BindDeviceE(std::int32_t sceneDeviceId) = 0;
    virtual void FrameCompleted() = 0;

    virtual AppUtilityPtr CreateAppUtility() = 0;
    virtual RenderUtilityPtr CreateRenderUtility() = 0;
    virtual GraphicsUtilityPtr CreateGraphicsUtility() = 0;
    virtual PictureFactoryPtr CreatePictureFactory() = 0;
    virtual AnimationCommandsPtr CreateAnimationCommands() = 0;
    virtual PovExporterPtr CreatePovExporter() = 0;
    virtual ScriptEditorPtr NewScriptEditor() = 0;
    virtual ScriptObjectPtr NewScriptObject(ScriptObjectClass scriptClass) = 0;

    // Called before and after the application state's animation settings record is rewritten;
    // the second says whether the settings really changed.
    virtual void AnimationSettingsChanging() = 0;
    virtual bool AnimationSettingsChanged() = 0;
    // Every animated component of the scene: groups, lights, cameras and operation components.
    virtual QList<ComponentRecord> ComponentList() = 0;
};

} // namespace vellum::outside
