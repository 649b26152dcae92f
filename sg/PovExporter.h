#pragma once

#include "VellumSGExport.h"

#include <QByteArray>
#include <outside/PovExporter.h>

namespace vellum::sg {

class Scene;

// Writes the reference scene as a raytracer scene: the animation camera, the point lights and
// every visible shape as the viewport draws it (primitive, transform, colour and the effect of
// the operations on it), in world coordinates.
class VELLUMSG_EXPORT PovExporter : public outside::PovExporter
{
public:
    // The scene file's text; usesTifTextures tells whether a shape asked for a TIF texture,
    // which is left out.
    static QByteArray sceneText(Scene& scene, float ambient, float aspectRatio,
                                const outside::PovRenderSettings& settings, bool& usesTifTextures);

    void ExportScene(const QString& path, const outside::ScenePtr& scene, float ambient,
                     float aspectRatio, bool& usesTifTextures,
                     const outside::PovRenderSettings& settings) override;
};

} // namespace vellum::sg
