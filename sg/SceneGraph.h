#pragma once

#include "AppUtility.h"
#include "ApplicationState.h"
#include "Scene.h"
#include "ScriptSeams.h"
#include "Selection.h"
#include "VellumSGExport.h"

#include <QHash>
#include <QObject>
#include <QRect>
#include <array>
#include <outside/SceneGraph.h>

namespace vellum::sg {

// The scene graph a host binds to the panel: it owns the application state and the scene,
// keeps the selection of every scene device and hands out the service objects.
class VELLUMSG_EXPORT SceneGraph : public QObject, public outside::SceneGraph
{
    Q_OBJECT

public:
    // Starts with an empty scene.
    explicit SceneGraph(QObject* parent = nullptr);
    ~SceneGraph() override;

    std::shared_ptr<sg::ApplicationState> applicationState() const { return m_state; }
    std::shared_ptr<sg::Scene> scene() const { return m_state->scene(); }
    // Makes the scene current; the selection, which named the old scene's components, goes.
    void setScene(const std::shared_ptr<sg::Scene>& scene);
    void newScene();
    // All or nothing: on failure the current scene and settings stay as they were.
    void openScene(const QString& path);
    void saveScene(const QString& path) const;

    Selection& selection() { return m_selection; }
    const Selection& selection() const { return m_selection; }
    void select(int deviceId, const std::shared_ptr<Shape>& shape);
    void addToSelection(int deviceId, const std::shared_ptr<Shape>& shape, bool secondary = false);
    void clearSelection(int deviceId);
    QList<std::shared_ptr<Shape>> selectedItems(int deviceId) const;
    // Selecting a light or the camera selects the marker standing for it.
    void selectLight(int deviceId, const std::shared_ptr<Light>& light);
    void selectCamera(int deviceId, const std::shared_ptr<Camera>& camera);

    // Scripts work from the start; these replace the engines, editors and script objects.
    // An empty factory leaves the scene graph without that part (429 when asked for it).
    void setScriptEngineFactory(ComponentScriptEngineFactory factory);
    void setScriptEngineFactory(ScriptEngineFactory factory);
    void setScriptEditorFactory(ScriptEditorFactory factory)
    {
        m_editorFactory = std::move(factory);
    }
    void setScriptObjectFactory(ScriptObjectFactory factory)
    {
        m_objectFactory = std::move(factory);
    }

    QString logPath() const { return m_logPath; }
    void setLogPath(const QString& path) { m_logPath = path; }
    // Every AppUtility of this scene graph, made before or after, answers its save dialogs so.
    void answerSaveDialogs(AppUtility::SaveDialogAnswer answer)
    {
        *m_saveDialogAnswer = std::move(answer);
    }
    // Besides these, the library's media textures folder when it exists.
    void setLibraryPaths(const QStringList& folders) { m_libraryPaths = folders; }
    QRect renderingRectangle() const { return m_renderingRectangle; }
    void setRenderingRectangle(const QRect& area) { m_renderingRectangle = area; }
    // The cameras a view looks through; the animation camera unless the host said otherwise.
    void setViewCameras(const outside::View* view, const QList<outside::CameraPtr>& cameras);

    // The device each of the five bindings received last (0 before the first), A to E.
    const std::array<int, 5>& boundDevices() const { return m_boundDevices; }
    int framesCompleted() const { return m_framesCompleted; }

    // outside::SceneGraph
    outside::ApplicationStatePtr ApplicationState() override { return m_state; }
    // A shape in no scene, for backups.
    outside::ShapePtr NewShape() override;
    std::int32_t SelectedCount(std::int32_t sceneDeviceId) override;
    outside::ShapePtr SelectedItem(std::int32_t sceneDeviceId, std::int32_t index) override;
    std::int32_t SecondarySelectionCount(std::int32_t sceneDeviceId) override;
    outside::LightPtr LightByLink(std::int32_t lightLink) override;
    outside::CameraPtr CameraByLink(std::int32_t objectLink) override;
    QList<outside::CameraPtr> ViewCameras(const outside::ViewPtr& view) override;
    void LibraryPaths(QStringList& folders, std::int32_t& count) override;
    void BindDeviceA(std::int32_t sceneDeviceId) override { bind(0, sceneDeviceId); }
    void BindDeviceB(std::int32_t sceneDeviceId) override { bind(1, sceneDeviceId); }
    void BindDeviceC(std::int32_t sceneDeviceId) override { bind(2, sceneDeviceId); }
    void BindDeviceD(std::int32_t sceneDeviceId) override { bind(3, sceneDeviceId); }
    void BindDeviceE(std::int32_t sceneDeviceId) override { bind(4, sceneDeviceId); }
    void FrameCompleted() override;
    outside::AppUtilityPtr CreateAppUtility() override;
    outside::RenderUtilityPtr CreateRenderUtility() override;
    outside::GraphicsUtilityPtr CreateGraphicsUtility() override;
    outside::PictureFactoryPtr CreatePictureFactory() override;
    outside::AnimationCommandsPtr CreateAnimationCommands() override;
    outside::PovExporterPtr CreatePovExporter() override;
    outside::ScriptEditorPtr NewScriptEditor() override;
    outside::ScriptObjectPtr NewScriptObject(outside::ScriptObjectClass scriptClass) override;
    void AnimationSettingsChanging() override;
    // Keeps the current frame within the new length; animationSettingsChanged when they did.
    bool AnimationSettingsChanged() override;
    // Groups, the animation camera, lights and operation components, by number.
    QList<outside::ComponentRecord> ComponentList() override;

signals:
    void sceneReplaced();
    void deviceBound(int binding, int sceneDeviceId);
    void frameCompleted(int framesCompleted);
    void normalDisplayRequested(bool normal);
    void ghostDelayRequested(int milliseconds);
    void animationSettingsChanged();

private:
    void bind(int binding, int sceneDeviceId);

    std::shared_ptr<sg::ApplicationState> m_state;
    Selection m_selection;
    std::shared_ptr<ComponentScriptEngineFactory> m_engineFactory;
    ScriptEditorFactory m_editorFactory;
    ScriptObjectFactory m_objectFactory;
    QString m_logPath;
    std::shared_ptr<AppUtility::SaveDialogAnswer> m_saveDialogAnswer =
        std::make_shared<AppUtility::SaveDialogAnswer>();
    QStringList m_libraryPaths;
    QRect m_renderingRectangle;
    QHash<const outside::View*, QList<outside::CameraPtr>> m_viewCameras;
    std::array<int, 5> m_boundDevices{};
    int m_framesCompleted = 0;
    outside::AnimationSettings m_settingsBefore;
};

} // namespace vellum::sg
