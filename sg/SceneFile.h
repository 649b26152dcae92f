#pragma once

#include "VellumSGExport.h"

#include <QString>
#include <memory>

namespace vellum::sg {

class Scene;

// A scene file's content: the scene and the animation settings and frame saved with it.
struct SceneDocument
{
    std::shared_ptr<Scene> scene;
    int keys = 100;
    float keysPerSecond = 10.0f;
    float currentFrame = 0.0f;
};

// Version 2 added keyframe operations and sequences.
inline constexpr int sceneFileVersion = 2;

// JSON. Refuses with 75 when the file cannot be written.
VELLUMSG_EXPORT void writeSceneFile(const QString& path, const SceneDocument& document);
// Builds a fresh scene from the file, or throws: 53 for a missing file, 75 for one that cannot
// be read, 380 "Scene file is not valid: <what>, at <where>" for a bad one.
VELLUMSG_EXPORT SceneDocument readSceneFile(const QString& path);

} // namespace vellum::sg
