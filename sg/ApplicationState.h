#pragma once

#include "VellumSGExport.h"

#include <QPointer>
#include <QWidget>
#include <memory>
#include <outside/ApplicationState.h>

namespace vellum::sg {

class Scene;

// What the application is doing: mode, frame, settings, the scene and the active view.
class VELLUMSG_EXPORT ApplicationState : public outside::ApplicationState,
                                         public std::enable_shared_from_this<ApplicationState>
{
public:
    static QString defaultRegistryKey() { return QStringLiteral("Vellum Studio"); }
    // The longest animation and the fastest speed the panel's grid and slider are built for.
    static constexpr std::int32_t maxKeys = 9999;
    static constexpr float maxKeysPerSecond = 1000.0f;

    std::shared_ptr<sg::Scene> scene() const { return m_scene; }
    // Makes the scene the state's: its components then resolve frame -1 to CurrentFrame.
    void setScene(const std::shared_ptr<sg::Scene>& scene);

    void setRegistryKey(const QString& key); // refuses an empty key
    void setSceneDeviceID(std::int32_t id);
    void setActiveView(const outside::ViewPtr& view) { m_activeView = view; }
    void setRenderingSuspended(bool suspended) { m_renderingSuspended = suspended; }
    void setPanelActive(bool active) { m_panelActive = active; }
    void setBackgroundTexture(const QString& texture) { m_backgroundTexture = texture; }
    void setUseBackgroundTexture(bool use) { m_useBackgroundTexture = use; }
    void setViewportOption(bool option) { m_viewportOption = option; }
    void setMainWindowHandle(QWidget* window) { m_mainWindow = window; }
    void setAntiAliasFlag(bool flag) { m_antiAliasFlag = flag; }
    void setRaytracerSetting(const QString& setting) { m_raytracerSetting = setting; }
    // The folder of the file at path, kept with a trailing separator; empty for none.
    void setSceneFile(const QString& path);

    // outside::ApplicationState
    QString RegistryKey() override { return m_registryKey; }
    std::int32_t Mode() override { return m_mode; }
    void setMode(std::int32_t mode) override; // 0 or 1
    float CurrentFrame() override { return m_currentFrame; }
    void setCurrentFrame(float frame) override; // finite and >= 0
    bool AnimationRunning() override { return m_animationRunning; }
    void setAnimationRunning(bool running) override { m_animationRunning = running; }
    outside::AnimationSettings AnimationSettings() override { return m_settings; }
    // Keys in 0..maxKeys and KeysPerSecond in 0..maxKeysPerSecond.
    void setAnimationSettings(const outside::AnimationSettings& settings) override;
    bool Modified() override { return m_modified; }
    void setModified(bool modified) override { m_modified = modified; }
    std::int32_t SceneDeviceID() override { return m_sceneDeviceId; }
    outside::ScenePtr Scene() override;
    outside::ViewPtr ActiveView() override { return m_activeView; }
    bool RenderingSuspended() override { return m_renderingSuspended; }
    bool PanelActive() override { return m_panelActive; }
    std::int32_t GhostState() override { return m_ghostState; }
    void setGhostState(std::int32_t state) override; // 0, 1 or 2
    QString BackgroundTexture() override { return m_backgroundTexture; }
    bool UseBackgroundTexture() override { return m_useBackgroundTexture; }
    bool ViewportOption() override { return m_viewportOption; }
    QWidget* MainWindowHandle() override { return m_mainWindow; }
    // As the host sets it from what its renderer reports.
    bool AntiAliasFlag() override { return m_antiAliasFlag; }
    QString RaytracerSetting() override { return m_raytracerSetting; }
    QString ScenePath() override { return m_scenePath; }
    bool RaytraceFailed() override { return m_raytraceFailed; }
    void setRaytraceFailed(bool failed) override { m_raytraceFailed = failed; }

private:
    QString m_registryKey = defaultRegistryKey();
    std::int32_t m_mode = 0;
    float m_currentFrame = 0.0f;
    bool m_animationRunning = false;
    outside::AnimationSettings m_settings;
    bool m_modified = false;
    std::int32_t m_sceneDeviceId = 1;
    std::shared_ptr<sg::Scene> m_scene;
    outside::ViewPtr m_activeView;
    bool m_renderingSuspended = false;
    bool m_panelActive = false;
    std::int32_t m_ghostState = 0;
    QString m_backgroundTexture;
    bool m_useBackgroundTexture = false;
    bool m_viewportOption = false;
    QPointer<QWidget> m_mainWindow;
    bool m_antiAliasFlag = false;
    QString m_raytracerSetting;
    QString m_scenePath;
    bool m_raytraceFailed = false;
};

} // namespace vellum::sg
