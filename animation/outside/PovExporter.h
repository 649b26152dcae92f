#pragma once

#include "AnimationSettings.h"
#include "Forward.h"

#include <QString>

namespace vellum::outside {

// What the exporter is told about the render besides the scene.
struct PovRenderSettings
{
    outside::AnimationSettings animation;
    float currentFrame = 0.0f;
};

// Writes a scene, as it stands at the current frame and seen through the animation camera, as
// a raytracer scene file.
class PovExporter
{
public:
    virtual ~PovExporter() = default;
    // ambient: the light every surface gets without a lamp (0 to 1); aspectRatio: width over
    // height of the picture. usesTifTextures: whether a shape is textured with a TIF image,
    // which the raytracer cannot read.
    virtual void ExportScene(const QString& path, const ScenePtr& scene, float ambient,
                             float aspectRatio, bool& usesTifTextures,
                             const PovRenderSettings& settings) = 0;
};

} // namespace vellum::outside
