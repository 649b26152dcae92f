#pragma once

#include <QVector3D>
#include <vector>

namespace vellum::viewport {

struct RenderCamera;
struct RenderScene;

// Lambert diffuse from point lights over a sky/ground ambient, worked out in linear light (a
// gamma of 2) so that falloff across a sphere looks like light rather than a ramp.
class Lighting
{
public:
    // Keeps its storage between frames.
    void setUp(const RenderScene& scene, const RenderCamera& camera);

    // Colour of a surface point in 0..255 per channel; base is the item's colour in 0..1.
    QVector3D shade(const QVector3D& position, const QVector3D& normal,
                    const QVector3D& linearBase) const;

    static QVector3D toLinear(const QVector3D& colour) { return colour * colour; }

private:
    struct Light
    {
        QVector3D position;
        QVector3D radiance; // linear colour times intensity
    };
    std::vector<Light> m_lights;
};

} // namespace vellum::viewport
