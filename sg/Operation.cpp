#include "Operation.h"

#include "OperationType.h"
#include "Scene.h"
#include "Shape.h"
#include "Spline.h"

#include <cmath>

namespace vellum::sg {

Operation::Operation(int number, QString name, int type)
    : m_number(number), m_name(std::move(name)), m_type(type), m_amount(restAmount(type))
{
    if (number < 1 || !isKnownOperationType(type))
        throw Error::invalidPropertyValue();
}

bool Operation::actsOn(const Shape& shape) const
{
    return m_target.lock().get() == &shape;
}

void Operation::setTarget(const std::shared_ptr<Shape>& target)
{
    if (target && !target->isGeometric())
        throw Error::invalidPropertyValue();
    m_target = target;
}

void Operation::setAmount(float amount)
{
    if (!std::isfinite(amount))
        throw Error::invalidPropertyValue();
    m_amount = amount;
}

float Operation::amountAt(float frame) const noexcept
{
    if (m_track.isEmpty())
        return restAmount(m_type);
    // The same curve as group positions: Catmull-Rom through the keys, a segment start a
    // corner, a closed loop wrapping from its last key to its first.
    return interpolateCatmullRom<float>(
        m_track, m_track.locate(frame),
        [](const outside::KeyRecord& key) { return key.payloadHead; });
}

void Operation::applyFrame(float frame)
{
    if (!m_track.isEmpty())
        m_amount = amountAt(frame);
}

float Operation::currentFrame() const
{
    const auto s = scene();
    return s ? s->currentFrame() : 0.0f;
}

void Operation::writeState(outside::KeyRecord& key) const
{
    key.payloadHead = m_amount;
}

void Operation::keysChanged()
{
    if (const auto s = scene())
        emit s->changed();
}

} // namespace vellum::sg
