#pragma once

#include "KeyframedBase.h"
#include "ScriptSlot.h"
#include "VellumSGExport.h"
#include "scripting/ScriptHolder.h"

#include <QColor>
#include <QVector3D>
#include <optional>
#include <outside/Enumerations.h>
#include <outside/Light.h>

namespace vellum::sg {

class Scene;

// A point light standing in the world (not in a group). Its keys hold colour and intensity:
// payloadHead = red, payload[0] = green, payload[1] = blue (0..1), payload[2] = intensity.
class VELLUMSG_EXPORT Light : public KeyframedBase<outside::Light>,
                              public ScriptHolder,
                              public std::enable_shared_from_this<Light>
{
public:
    struct State
    {
        QVector3D position;
        QVector3D colour; // red, green, blue in 0..1
        float intensity = 1.0f;

        friend bool operator==(const State&, const State&) = default;
    };

    // Code = number x 100 + 60.
    Light(int number, QString name);

    int number() const { return m_number; }
    int code() const { return m_number * 100 + outside::Kind::Light; }
    const QString& name() const { return m_name; }
    void setName(const QString& name) { m_name = name; }

    const State& state() const { return m_state; }
    void setState(const State& state) { m_state = state; }
    QVector3D position() const { return m_state.position; }
    void setPosition(const QVector3D& position) { m_state.position = position; }
    QColor colour() const;
    void setColour(const QColor& colour);
    float intensity() const { return m_state.intensity; }
    void setIntensity(float intensity); // refuses a negative intensity

    const QString& script() const { return m_script.text(); }
    void setScript(const QString& script) override { m_script.setText(script); }
    void dropScriptEngine() { m_script.dropEngine(); }

    std::shared_ptr<Scene> scene() const { return m_scene.lock(); }
    void setScene(const std::weak_ptr<Scene>& scene) { m_scene = scene; }

    // outside::Light
    QString Name() override { return m_name; }
    std::int32_t Code() override { return code(); }
    void SaveAnimationState() override { m_saved = m_state; }
    // Back to the state saved last; nothing when none was saved.
    void RestoreAnimationState() override;
    void ApplyFrame(float frame) override;
    QString Script() override { return m_script.text(); }
    outside::ScriptEnginePtr ScriptEngine() override;

protected:
    float currentFrame() const override;
    void writeState(outside::KeyRecord& key) const override;

private:
    int m_number;
    QString m_name;
    State m_state;
    std::optional<State> m_saved;
    ScriptSlot m_script;
    std::weak_ptr<Scene> m_scene;
};

} // namespace vellum::sg
