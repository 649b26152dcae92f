#include "Lighting.h"

#include "RenderCamera.h"
#include "RenderScene.h"

#include <algorithm>
#include <cmath>

namespace vellum::viewport {

namespace {

constexpr float SkyAmbient = 0.24f;
constexpr float GroundAmbient = 0.1f;

QVector3D fromColour(const QColor& colour)
{
    return QVector3D(colour.redF(), colour.greenF(), colour.blueF());
}

float encode(float linear)
{
    return 255.0f * std::sqrt(std::clamp(linear, 0.0f, 1.0f));
}

} // namespace

void Lighting::setUp(const RenderScene& scene, const RenderCamera& camera)
{
    m_lights.clear();
    for (const RenderLight& light : scene.lights) {
        m_lights.push_back(
            {light.position, toLinear(fromColour(light.colour)) * std::max(light.intensity, 0.0f)});
    }
    if (m_lights.empty())
        m_lights.push_back({camera.position, QVector3D(1.0f, 1.0f, 1.0f)});
}

QVector3D Lighting::shade(const QVector3D& position, const QVector3D& normal,
                          const QVector3D& linearBase) const
{
    const float skyward = 0.5f + 0.5f * normal.y();
    const float ambient = GroundAmbient + (SkyAmbient - GroundAmbient) * skyward;
    QVector3D received(ambient, ambient, ambient);
    for (const Light& light : m_lights) {
        const QVector3D toLight = light.position - position;
        const float distance = toLight.length();
        if (distance <= 0.0f)
            continue;
        const float lambert = QVector3D::dotProduct(normal, toLight) / distance;
        if (lambert > 0.0f)
            received += light.radiance * lambert;
    }
    const QVector3D lit = linearBase * received;
    return QVector3D(encode(lit.x()), encode(lit.y()), encode(lit.z()));
}

} // namespace vellum::viewport
