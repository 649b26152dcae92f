#pragma once

#include "MeshCache.h"

#include <QList>
#include <QSet>
#include <memory>
#include <viewport/RenderScene.h>

namespace vellum::sg {
class Scene;
class Shape;
} // namespace vellum::sg

namespace vellum::studio {

// Turns the scene graph's present state into what the viewport draws, operation effects
// included. Meshes are cached, so a rebuild per frame costs transforms and colours only.
class SceneRenderAdapter
{
public:
    SceneRenderAdapter();

    // Shapes in highlighted (geometry or markers) are drawn lighter.
    viewport::RenderScene build(const sg::Scene& scene,
                                const QSet<const sg::Shape*>& highlighted = {});
    // The shape behind an item of the scene built last (a marker for lights, the camera and
    // operation components).
    std::shared_ptr<sg::Shape> shapeAt(int itemIndex) const;

    const MeshCache& meshCache() const { return m_meshes; }
    // Markers belong to the modeller's views, not to a played animation.
    void setMarkersShown(bool shown) { m_markersShown = shown; }

private:
    void addItem(viewport::RenderScene& out, const std::shared_ptr<sg::Shape>& shape,
                 std::shared_ptr<const viewport::RenderMesh> mesh, const QMatrix4x4& world,
                 const QColor& colour, bool highlighted);
    void addGeometry(viewport::RenderScene& out, const sg::Scene& scene,
                     const std::shared_ptr<sg::Shape>& shape, bool highlighted);
    void addMarker(viewport::RenderScene& out, const sg::Scene& scene,
                   const std::shared_ptr<sg::Shape>& marker, bool highlighted);

    MeshCache m_meshes;
    std::shared_ptr<const viewport::RenderMesh> m_lightGlyph;
    std::shared_ptr<const viewport::RenderMesh> m_cameraGlyph;
    std::shared_ptr<const viewport::RenderMesh> m_operationGlyph;
    QList<std::weak_ptr<sg::Shape>> m_itemShapes;
    bool m_markersShown = true;
};

} // namespace vellum::studio
