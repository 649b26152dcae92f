#pragma once

#include "KeyframedBase.h"
#include "ScriptSlot.h"
#include "VellumSGExport.h"
#include "scripting/ScriptHolder.h"

#include <optional>
#include <outside/Camera.h>

namespace vellum::sg {

class Group;
class Scene;
class Shape;

// The animation camera: it rides on a group (it stands at the group's origin and looks along
// the group's -Z) and keys its field of view: payloadHead = field of view in degrees.
class VELLUMSG_EXPORT Camera : public KeyframedBase<outside::Camera>,
                               public ScriptHolder,
                               public std::enable_shared_from_this<Camera>
{
public:
    explicit Camera(int id, QString name = QStringLiteral("Animation Camera"));

    int id() const { return m_id; }
    const QString& name() const { return m_name; }

    std::shared_ptr<Group> parentGroup() const { return m_group.lock(); }
    // Moves the camera, and the marker standing for it, onto the group.
    void setParentGroup(const std::shared_ptr<Group>& group);
    std::shared_ptr<Shape> marker() const { return m_marker.lock(); }
    void setMarker(const std::shared_ptr<Shape>& marker) { m_marker = marker; }

    float fieldOfView() const { return m_fieldOfView; }
    void setFieldOfView(float degrees); // refuses anything outside (0, 180)

    const QString& script() const { return m_script.text(); }
    void setScript(const QString& script) override { m_script.setText(script); }
    void dropScriptEngine() { m_script.dropEngine(); }

    std::shared_ptr<Scene> scene() const { return m_scene.lock(); }
    void setScene(const std::weak_ptr<Scene>& scene) { m_scene = scene; }

    // outside::Camera
    QString Name() override { return m_name; }
    std::int32_t ID() override { return m_id; }
    outside::GroupPtr ParentGroup() override;
    // -1: the present field of view; otherwise what the keys give at that frame.
    float FieldOfView(float frame) override;
    void SaveAnimationState() override { m_savedFieldOfView = m_fieldOfView; }
    void RestoreAnimationState() override;
    void ApplyFrame(float frame) override;
    QString Script() override { return m_script.text(); }
    outside::ScriptEnginePtr ScriptEngine() override;

protected:
    float currentFrame() const override;
    void writeState(outside::KeyRecord& key) const override;

private:
    float evaluate(float frame) const;

    int m_id;
    QString m_name;
    float m_fieldOfView = 45.0f;
    std::optional<float> m_savedFieldOfView;
    std::weak_ptr<Group> m_group;
    std::weak_ptr<Shape> m_marker;
    ScriptSlot m_script;
    std::weak_ptr<Scene> m_scene;
};

} // namespace vellum::sg
