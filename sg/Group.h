#pragma once

#include "KeyframedBase.h"
#include "Pose.h"
#include "ScriptSlot.h"
#include "SequenceStore.h"
#include "VellumSGExport.h"
#include "scripting/ScriptHolder.h"

#include <QMatrix4x4>
#include <outside/Enumerations.h>
#include <outside/Group.h>
#include <utility>
#include <vector>

namespace vellum::sg {

class Scene;
class Shape;

// A node of the scene's hierarchy. Its pose is relative to its parent; keys hold poses (see
// Pose for the payload) and ApplyFrame moves the group along them.
class VELLUMSG_EXPORT Group : public KeyframedBase<outside::Group>,
                              public ScriptHolder,
                              public std::enable_shared_from_this<Group>
{
public:
    Group(int number, QString name);
    ~Group() override;

    int number() const { return m_number; }
    int code() const { return m_number * 100 + outside::Kind::Group; }
    const QString& name() const { return m_name; }
    void setName(const QString& name) { m_name = name; }

    std::shared_ptr<Group> parent() const { return m_parent.lock(); }
    const std::vector<std::shared_ptr<Group>>& children() const { return m_children; }
    // Moves the child under this group; refuses to make a group its own ancestor.
    void addChild(const std::shared_ptr<Group>& child);
    const std::vector<std::shared_ptr<Shape>>& shapes() const { return m_shapes; }

    const Pose& pose() const { return m_pose; }
    QVector3D position() const { return m_pose.position; }
    QQuaternion orientation() const { return m_pose.orientation; }
    void setPose(const Pose& pose);
    void setPosition(const QVector3D& position);
    void setOrientation(const QQuaternion& orientation);
    void setOrientationDegrees(float yaw, float pitch, float roll);

    // Parent world x local, kept until this group or an ancestor moves.
    const QMatrix4x4& worldTransform() const;
    QVector3D worldPosition() const;
    QQuaternion worldOrientation() const;

    // The pose the keys give at a frame (-1: now), without moving the group. Without keys,
    // the present pose.
    Pose poseAt(float frame) const;
    // The same in world terms, ancestors posed at that frame too.
    Pose worldPoseAt(float frame) const;

    void setLookAtId(int groupNumber);
    const QString& script() const { return m_script.text(); }
    void setScript(const QString& script) override { m_script.setText(script); }
    // The change notice that follows an edited script is no key copy.
    void applyEditedScript(const QString& script) override
    {
        setScript(script);
        m_scriptEditNoticeDue = true;
    }
    bool takeScriptEditNotice() { return std::exchange(m_scriptEditNoticeDue, false); }
    void dropScriptEngine() { m_script.dropEngine(); }

    SequenceStore& sequences() { return m_sequences; }
    const SequenceStore& sequences() const { return m_sequences; }

    std::shared_ptr<Scene> scene() const { return m_scene.lock(); }
    void setScene(const std::weak_ptr<Scene>& scene) { m_scene = scene; }

    // outside::Group
    std::int32_t Code() override { return code(); }
    std::int32_t Number() override { return m_number; }
    QString Name() override { return m_name; }
    QList<outside::ShapePtr> Shapes() override;
    void ApplyFrame(float frame) override;
    void RefreshTree(bool recursive) override;
    void RefreshAnimation(bool recursive) override;
    // Removes every key and opens the loop; the group keeps the pose it had at that frame,
    // so nothing jumps on screen.
    void ResetAnimation(float frame) override;
    std::int32_t LookAtID() override { return m_lookAtId; }
    void LookAt(const outside::GroupPtr& target, std::int32_t reserved) override;
    void ViewPosition(const outside::ViewPtr& view, float frame,
                      outside::Vector3& position) override;
    void ViewOrientation(const outside::ViewPtr& view, float frame, outside::Vector3& direction,
                         outside::Vector3& up) override;
    QString Script() override { return m_script.text(); }
    outside::ScriptEnginePtr ScriptEngine() override;

protected:
    float currentFrame() const override;
    void writeState(outside::KeyRecord& key) const override;
    void keysChanged() override;

private:
    friend class Shape;
    void attachShape(const std::shared_ptr<Shape>& shape);
    void detachShape(const Shape* shape);
    void detachChild(const Group* child);
    void invalidateWorld();
    Pose evaluate(float frame) const;

    int m_number;
    QString m_name;
    Pose m_pose;
    std::weak_ptr<Group> m_parent;
    std::vector<std::shared_ptr<Group>> m_children;
    std::vector<std::shared_ptr<Shape>> m_shapes;
    std::vector<QQuaternion> m_keyOrientations; // decoded once per key edit, not per frame
    mutable QMatrix4x4 m_world;
    mutable bool m_worldValid = false;
    int m_lookAtId = 0;
    ScriptSlot m_script;
    bool m_scriptEditNoticeDue = false;
    SequenceStore m_sequences;
    std::weak_ptr<Scene> m_scene;
};

} // namespace vellum::sg
