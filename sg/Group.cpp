#include "Group.h"

#include "Scene.h"
#include "SgError.h"
#include "Shape.h"
#include "Spline.h"

#include <algorithm>
#include <cmath>

namespace vellum::sg {

namespace {

outside::Vector3 toVector3(const QVector3D& v)
{
    return outside::Vector3{v.x(), v.y(), v.z()};
}

const QVector3D forwardAxis(0.0f, 0.0f, -1.0f);
const QVector3D upAxis(0.0f, 1.0f, 0.0f);

} // namespace

Group::Group(int number, QString name) : m_number(number), m_name(std::move(name))
{
    if (number < 0)
        throw Error::invalidPropertyValue();
}

Group::~Group() = default;

void Group::addChild(const std::shared_ptr<Group>& child)
{
    if (!child)
        throw objectRequired();
    for (auto ancestor = shared_from_this(); ancestor; ancestor = ancestor->parent())
        if (ancestor == child)
            throw Error::invalidProcedureCall();
    if (auto oldParent = child->parent())
        oldParent->detachChild(child.get());
    child->m_parent = weak_from_this();
    m_children.push_back(child);
    child->invalidateWorld();
}

void Group::detachChild(const Group* child)
{
    std::erase_if(m_children, [child](const auto& c) { return c.get() == child; });
}

void Group::attachShape(const std::shared_ptr<Shape>& shape)
{
    m_shapes.push_back(shape);
}

void Group::detachShape(const Shape* shape)
{
    std::erase_if(m_shapes, [shape](const auto& s) { return s.get() == shape; });
}

void Group::setPose(const Pose& pose)
{
    m_pose.position = pose.position;
    m_pose.orientation = pose.orientation.normalized();
    invalidateWorld();
}

void Group::setPosition(const QVector3D& position)
{
    setPose(Pose{position, m_pose.orientation});
}

void Group::setOrientation(const QQuaternion& orientation)
{
    setPose(Pose{m_pose.position, orientation});
}

void Group::setOrientationDegrees(float yaw, float pitch, float roll)
{
    setOrientation(QQuaternion::fromEulerAngles(pitch, yaw, roll));
}

void Group::invalidateWorld()
{
    // A valid child implies a valid parent, so an invalid group has no valid descendants.
    if (!m_worldValid)
        return;
    m_worldValid = false;
    for (const auto& child : m_children)
        child->invalidateWorld();
}

const QMatrix4x4& Group::worldTransform() const
{
    if (!m_worldValid) {
        const auto p = parent();
        m_world = p ? p->worldTransform() * m_pose.matrix() : m_pose.matrix();
        m_worldValid = true;
    }
    return m_world;
}

QVector3D Group::worldPosition() const
{
    return worldTransform().map(QVector3D());
}

QQuaternion Group::worldOrientation() const
{
    const auto p = parent();
    return p ? p->worldOrientation() * m_pose.orientation : m_pose.orientation;
}

float Group::currentFrame() const
{
    const auto s = scene();
    return s ? s->currentFrame() : 0.0f;
}

void Group::writeState(outside::KeyRecord& key) const
{
    m_pose.writeTo(key);
}

void Group::keysChanged()
{
    const auto& keys = m_track.keys();
    m_keyOrientations.resize(keys.size());
    std::transform(keys.cbegin(), keys.cend(), m_keyOrientations.begin(),
                   [](const outside::KeyRecord& key) { return Pose::readFrom(key).orientation; });
}

Pose Group::evaluate(float frame) const
{
    const SplineSpan span = m_track.locate(frame);
    const QVector3D position =
        interpolateCatmullRom<QVector3D>(m_track, span, [](const outside::KeyRecord& key) {
            return QVector3D(key.payloadHead, key.payload[0], key.payload[1]);
        });
    return Pose{position, interpolateSlerp(m_keyOrientations, span)};
}

Pose Group::poseAt(float frame) const
{
    if (frame == -1.0f || m_track.isEmpty())
        return m_pose;
    return evaluate(frame);
}

Pose Group::worldPoseAt(float frame) const
{
    const Pose local = poseAt(frame);
    const auto p = parent();
    if (!p)
        return local;
    const Pose above = p->worldPoseAt(frame);
    return Pose{above.position + above.orientation.rotatedVector(local.position),
                above.orientation * local.orientation};
}

QList<outside::ShapePtr> Group::Shapes()
{
    return QList<outside::ShapePtr>(m_shapes.cbegin(), m_shapes.cend());
}

void Group::ApplyFrame(float frame)
{
    if (m_track.isEmpty())
        return;
    setPose(evaluate(resolveFrame(frame)));
}

void Group::RefreshTree(bool recursive)
{
    m_worldValid = false;
    worldTransform();
    if (!recursive)
        return;
    for (const auto& child : m_children)
        child->RefreshTree(true);
}

void Group::RefreshAnimation(bool recursive)
{
    ApplyFrame(-1.0f);
    if (!recursive)
        return;
    for (const auto& child : m_children)
        child->RefreshAnimation(true);
}

void Group::ResetAnimation(float frame)
{
    const Pose atFrame = poseAt(resolveFrame(frame));
    clearKeys();
    setPose(atFrame);
}

void Group::setLookAtId(int groupNumber)
{
    if (groupNumber < 0)
        throw Error::invalidPropertyValue();
    m_lookAtId = groupNumber;
}

void Group::LookAt(const outside::GroupPtr& target, std::int32_t)
{
    const auto typedTarget = std::dynamic_pointer_cast<Group>(target);
    if (!target)
        throw objectRequired();
    if (!typedTarget)
        throw Error::typeMismatch();
    if (typedTarget.get() == this)
        throw Error::invalidProcedureCall();
    m_lookAtId = typedTarget->number();

    const QVector3D toTarget = typedTarget->worldPosition() - worldPosition();
    if (toTarget.lengthSquared() < 1e-12f)
        return;
    const QQuaternion facing = QQuaternion::fromDirection(-toTarget.normalized(), upAxis);
    const auto p = parent();
    setOrientation(p ? p->worldOrientation().inverted() * facing : facing);
}

void Group::ViewPosition(const outside::ViewPtr&, float frame, outside::Vector3& position)
{
    position = toVector3(worldPoseAt(frame).position);
}

void Group::ViewOrientation(const outside::ViewPtr&, float frame, outside::Vector3& direction,
                            outside::Vector3& up)
{
    const QQuaternion orientation = worldPoseAt(frame).orientation;
    direction = toVector3(orientation.rotatedVector(forwardAxis));
    up = toVector3(orientation.rotatedVector(upAxis));
}

outside::ScriptEnginePtr Group::ScriptEngine()
{
    const auto s = scene();
    return m_script.engine(s ? s->scriptEngineFactory() : nullptr, weak_from_this());
}

} // namespace vellum::sg
