#pragma once

#include "MeshBuilders.h"
#include "RenderCamera.h"
#include "RenderScene.h"

#include <QImage>
#include <functional>
#include <memory>

namespace vellum::viewport::testing {

// Looking down -z from the origin; no grid and a black background unless a test asks.
inline RenderCamera frontCamera()
{
    RenderCamera camera;
    camera.position = QVector3D(0, 0, 0);
    camera.direction = QVector3D(0, 0, -1);
    camera.up = QVector3D(0, 1, 0);
    camera.fieldOfViewDegrees = 60;
    return camera;
}

inline RenderScene emptyScene()
{
    RenderScene scene;
    scene.background = Qt::black;
    scene.groundGrid = false;
    return scene;
}

// A light so far away that every vertex sees it from the same side: flat surfaces come out in
// one exact colour.
inline RenderLight distantLight(const QVector3D& towards)
{
    return RenderLight{towards * 1e6f, Qt::white, 1.0f};
}

inline RenderItem boxAt(const QVector3D& position, float size, const QColor& colour)
{
    RenderItem item;
    item.mesh = std::make_shared<const RenderMesh>(makeBox());
    item.world.translate(position);
    item.world.scale(size);
    item.colour = colour;
    return item;
}

// A square facing +z, built from two triangles that share its diagonal.
inline std::shared_ptr<const RenderMesh> squareMesh(bool closed)
{
    auto mesh = std::make_shared<RenderMesh>();
    mesh->positions = {{-0.5f, -0.5f, 0}, {0.5f, -0.5f, 0}, {0.5f, 0.5f, 0}, {-0.5f, 0.5f, 0}};
    mesh->normals = QList<QVector3D>(4, QVector3D(0, 0, 1));
    mesh->indices = {0, 1, 2, 0, 2, 3};
    mesh->closed = closed;
    return mesh;
}

inline bool reddish(QRgb c)
{
    return qRed(c) > 2 * qGreen(c) && qRed(c) > 40;
}

inline bool greenish(QRgb c)
{
    return qGreen(c) > 2 * qRed(c) && qGreen(c) > 40;
}

inline int countPixels(const QImage& image, const std::function<bool(QRgb)>& predicate)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            count += predicate(image.pixel(x, y)) ? 1 : 0;
    }
    return count;
}

} // namespace vellum::viewport::testing
