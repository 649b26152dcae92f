#pragma once

#include "RenderMesh.h"

#include <QColor>
#include <QList>
#include <QMatrix4x4>
#include <QVector3D>
#include <memory>

namespace vellum::viewport {

struct RenderItem
{
    std::shared_ptr<const RenderMesh> mesh;
    QMatrix4x4 world;
    QColor colour = QColor(200, 200, 200);
    bool visible = true;
    // Below 1 the item is blended over the opaque scene (ghost copies) and cannot be picked.
    float opacity = 1.0f;
};

struct RenderLight
{
    QVector3D position;
    QColor colour = Qt::white;
    float intensity = 1.0f;
};

struct RenderScene
{
    QList<RenderItem> items;
    QList<RenderLight> lights; // none: a headlight at the camera
    QColor background = QColor(58, 64, 74);
    bool groundGrid = true;
    float gridSpacing = 1.0f;
    int gridHalfCount = 10;
};

} // namespace vellum::viewport
