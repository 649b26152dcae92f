#include "Camera.h"

#include "Group.h"
#include "Scene.h"
#include "Shape.h"
#include "Spline.h"

#include <cmath>

namespace vellum::sg {

Camera::Camera(int id, QString name) : m_id(id), m_name(std::move(name))
{
    if (id < 1)
        throw Error::invalidPropertyValue();
}

void Camera::setParentGroup(const std::shared_ptr<Group>& group)
{
    m_group = group;
    if (const auto shape = marker())
        shape->setParentGroup(group);
}

void Camera::setFieldOfView(float degrees)
{
    if (!std::isfinite(degrees) || degrees <= 0.0f || degrees >= 180.0f)
        throw Error::invalidPropertyValue();
    m_fieldOfView = degrees;
}

outside::GroupPtr Camera::ParentGroup()
{
    return parentGroup();
}

float Camera::evaluate(float frame) const
{
    return interpolateCatmullRom<float>(
        m_track, m_track.locate(frame),
        [](const outside::KeyRecord& key) { return key.payloadHead; });
}

float Camera::FieldOfView(float frame)
{
    if (frame == -1.0f || m_track.isEmpty())
        return m_fieldOfView;
    return evaluate(frame);
}

void Camera::RestoreAnimationState()
{
    if (m_savedFieldOfView)
        m_fieldOfView = *m_savedFieldOfView;
}

void Camera::ApplyFrame(float frame)
{
    if (m_track.isEmpty())
        return;
    m_fieldOfView = evaluate(resolveFrame(frame));
}

outside::ScriptEnginePtr Camera::ScriptEngine()
{
    const auto s = scene();
    return m_script.engine(s ? s->scriptEngineFactory() : nullptr, weak_from_this());
}

float Camera::currentFrame() const
{
    const auto s = scene();
    return s ? s->currentFrame() : 0.0f;
}

void Camera::writeState(outside::KeyRecord& key) const
{
    key.payloadHead = m_fieldOfView;
}

} // namespace vellum::sg
