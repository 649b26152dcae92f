#pragma once

#include "AnimationSettings.h"
#include "Forward.h"

#include <QString>
#include <cstdint>

class QWidget;

namespace vellum::outside {

class ApplicationState
{
public:
    virtual ~ApplicationState() = default;

    // The settings store's application name.
    virtual QString RegistryKey() = 0;

    virtual std::int32_t Mode() = 0;
    virtual void setMode(std::int32_t mode) = 0;
    virtual float CurrentFrame() = 0;
    virtual void setCurrentFrame(float frame) = 0;
    virtual bool AnimationRunning() = 0;
    virtual void setAnimationRunning(bool running) = 0;
    virtual outside::AnimationSettings AnimationSettings() = 0;
    virtual void setAnimationSettings(const outside::AnimationSettings& settings) = 0;
    virtual bool Modified() = 0;
    virtual void setModified(bool modified) = 0;

    virtual std::int32_t SceneDeviceID() = 0;
    virtual ScenePtr Scene() = 0;
    virtual ViewPtr ActiveView() = 0;
    virtual bool RenderingSuspended() = 0;
    virtual bool PanelActive() = 0;

    virtual std::int32_t GhostState() = 0;
    virtual void setGhostState(std::int32_t state) = 0;

    virtual QString BackgroundTexture() = 0;
    virtual bool UseBackgroundTexture() = 0;
    virtual bool ViewportOption() = 0;

    // Owner of the file dialogs.
    virtual QWidget* MainWindowHandle() = 0;
    // The renderer's anti-aliasing report; the option dialogs refuse anti-aliasing by it.
    virtual bool AntiAliasFlag() = 0;
    // The raytracer's configured setting; empty when none.
    virtual QString RaytracerSetting() = 0;
    // Folder of the scene file, ending in a separator; empty for a scene never saved.
    virtual QString ScenePath() = 0;
    // Set once a raytrace has failed, so that its message is shown once.
    virtual bool RaytraceFailed() = 0;
    virtual void setRaytraceFailed(bool failed) = 0;
};

} // namespace vellum::outside
