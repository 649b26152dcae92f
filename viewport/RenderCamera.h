#pragma once

#include <QVector3D>

namespace vellum::viewport {

struct RenderCamera
{
    QVector3D position = QVector3D(0.0f, 3.0f, 10.0f);
    QVector3D direction = QVector3D(0.0f, -0.3f, -1.0f);
    QVector3D up = QVector3D(0.0f, 1.0f, 0.0f);
    float fieldOfViewDegrees = 45.0f; // vertical
    float nearPlane = 0.1f;
    float farPlane = 1000.0f;
    bool orthographic = false;
    float orthoHeight = 10.0f; // world units across the view, orthographic only
};

} // namespace vellum::viewport
