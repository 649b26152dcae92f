#include "ApplicationState.h"

#include "Scene.h"

#include <QDir>
#include <QFileInfo>
#include <cmath>
#include <outside/Enumerations.h>

namespace vellum::sg {

void ApplicationState::setScene(const std::shared_ptr<sg::Scene>& scene)
{
    if (m_scene == scene)
        return;
    if (m_scene)
        m_scene->setApplicationState({});
    m_scene = scene;
    if (m_scene)
        m_scene->setApplicationState(weak_from_this());
}

void ApplicationState::setRegistryKey(const QString& key)
{
    if (key.isEmpty())
        throw Error::invalidPropertyValue();
    m_registryKey = key;
}

void ApplicationState::setSceneDeviceID(std::int32_t id)
{
    if (id < 0)
        throw Error::invalidPropertyValue();
    m_sceneDeviceId = id;
}

void ApplicationState::setMode(std::int32_t mode)
{
    if (mode != outside::ModeAnimationOff && mode != outside::ModeAnimation)
        throw Error::invalidPropertyValue();
    m_mode = mode;
}

void ApplicationState::setCurrentFrame(float frame)
{
    if (!std::isfinite(frame) || frame < 0.0f)
        throw Error::invalidPropertyValue();
    if (frame == m_currentFrame)
        return;
    m_currentFrame = frame;
    if (m_scene)
        m_scene->currentFrameMoved(frame);
}

void ApplicationState::setAnimationSettings(const outside::AnimationSettings& settings)
{
    if (settings.Keys < 0 || settings.Keys > maxKeys ||
        !(settings.KeysPerSecond >= 0.0f && settings.KeysPerSecond <= maxKeysPerSecond))
        throw Error::invalidPropertyValue();
    m_settings = settings;
}

outside::ScenePtr ApplicationState::Scene()
{
    return m_scene;
}

void ApplicationState::setGhostState(std::int32_t state)
{
    if (state < 0 || state > 2)
        throw Error::invalidPropertyValue();
    m_ghostState = state;
}

void ApplicationState::setSceneFile(const QString& path)
{
    m_scenePath = path.isEmpty() ? QString() : QFileInfo(path).absolutePath() + QLatin1Char('/');
}

} // namespace vellum::sg
