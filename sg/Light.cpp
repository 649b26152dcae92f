#include "Light.h"

#include "Scene.h"
#include "Spline.h"

#include <QVector4D>
#include <algorithm>
#include <cmath>

namespace vellum::sg {

Light::Light(int number, QString name) : m_number(number), m_name(std::move(name))
{
    if (number < 1)
        throw Error::invalidPropertyValue();
    m_state.colour = QVector3D(1.0f, 1.0f, 1.0f);
}

QColor Light::colour() const
{
    return QColor::fromRgbF(m_state.colour.x(), m_state.colour.y(), m_state.colour.z());
}

void Light::setColour(const QColor& colour)
{
    m_state.colour = QVector3D(colour.redF(), colour.greenF(), colour.blueF());
}

void Light::setIntensity(float intensity)
{
    if (!std::isfinite(intensity) || intensity < 0.0f)
        throw Error::invalidPropertyValue();
    m_state.intensity = intensity;
}

void Light::RestoreAnimationState()
{
    if (m_saved)
        m_state = *m_saved;
}

void Light::ApplyFrame(float frame)
{
    if (m_track.isEmpty())
        return;
    const QVector4D value = interpolateCatmullRom<QVector4D>(
        m_track, m_track.locate(resolveFrame(frame)), [](const outside::KeyRecord& key) {
            return QVector4D(key.payloadHead, key.payload[0], key.payload[1], key.payload[2]);
        });
    // The spline may overshoot between keys; colours and intensities have hard limits.
    m_state.colour = QVector3D(std::clamp(value.x(), 0.0f, 1.0f), std::clamp(value.y(), 0.0f, 1.0f),
                               std::clamp(value.z(), 0.0f, 1.0f));
    m_state.intensity = std::max(value.w(), 0.0f);
}

outside::ScriptEnginePtr Light::ScriptEngine()
{
    const auto s = scene();
    return m_script.engine(s ? s->scriptEngineFactory() : nullptr, weak_from_this());
}

float Light::currentFrame() const
{
    const auto s = scene();
    return s ? s->currentFrame() : 0.0f;
}

void Light::writeState(outside::KeyRecord& key) const
{
    key.payloadHead = m_state.colour.x();
    key.payload[0] = m_state.colour.y();
    key.payload[1] = m_state.colour.z();
    key.payload[2] = m_state.intensity;
}

} // namespace vellum::sg
