#include "SceneRenderAdapter.h"

#include "MarkerGlyphs.h"

#include <algorithm>
#include <sg/Camera.h>
#include <sg/Group.h>
#include <sg/Light.h>
#include <sg/Scene.h>
#include <sg/Shape.h>

namespace vellum::studio {

namespace {

const QColor cameraGlyphColour(236, 236, 240);
const QColor operationGlyphColour(214, 120, 240);

QColor highlightOf(const QColor& colour)
{
    constexpr float towardsWhite = 0.55f;
    const auto lift = [](int channel) {
        return int(float(channel) + (255.0f - float(channel)) * towardsWhite);
    };
    return QColor(lift(colour.red()), lift(colour.green()), lift(colour.blue()));
}

// A light shows the colour it shines with, dimmed as its intensity falls.
QColor glyphColourOf(const sg::Light& light)
{
    const QVector3D rgb = light.state().colour * std::clamp(light.intensity(), 0.6f, 1.0f);
    return QColor::fromRgbF(rgb.x(), rgb.y(), rgb.z());
}

} // namespace

SceneRenderAdapter::SceneRenderAdapter()
    : m_lightGlyph(std::make_shared<const viewport::RenderMesh>(makeLightGlyph())),
      m_cameraGlyph(std::make_shared<const viewport::RenderMesh>(makeCameraGlyph())),
      m_operationGlyph(std::make_shared<const viewport::RenderMesh>(makeOperationGlyph()))
{}

viewport::RenderScene SceneRenderAdapter::build(const sg::Scene& scene,
                                                const QSet<const sg::Shape*>& highlighted)
{
    viewport::RenderScene out;
    out.gridSpacing = 1.0f;
    out.gridHalfCount = 12;
    m_itemShapes.clear();
    for (const std::shared_ptr<sg::Shape>& shape : scene.shapeList()) {
        if (!shape->isVisible())
            continue;
        const bool lit = highlighted.contains(shape.get());
        if (shape->isGeometric())
            addGeometry(out, scene, shape, lit);
        else if (m_markersShown)
            addMarker(out, scene, shape, lit);
    }
    for (const std::shared_ptr<sg::Light>& light : scene.lightList())
        out.lights.append({light->position(), light->colour(), light->intensity()});
    return out;
}

std::shared_ptr<sg::Shape> SceneRenderAdapter::shapeAt(int itemIndex) const
{
    if (itemIndex < 0 || itemIndex >= m_itemShapes.size())
        return {};
    return m_itemShapes.at(itemIndex).lock();
}

void SceneRenderAdapter::addItem(viewport::RenderScene& out,
                                 const std::shared_ptr<sg::Shape>& shape,
                                 std::shared_ptr<const viewport::RenderMesh> mesh,
                                 const QMatrix4x4& world, const QColor& colour, bool highlighted)
{
    viewport::RenderItem item;
    item.mesh = std::move(mesh);
    item.world = world;
    item.colour = highlighted ? highlightOf(colour) : colour;
    out.items.append(item);
    m_itemShapes.append(shape);
}

void SceneRenderAdapter::addGeometry(viewport::RenderScene& out, const sg::Scene& scene,
                                     const std::shared_ptr<sg::Shape>& shape, bool highlighted)
{
    const sg::ShapeEffect effect = scene.operationEffect(*shape);
    QMatrix4x4 world = shape->worldTransform();
    // Most shapes carry no operation: skip the matrix product for them.
    if (effect.changesShape())
        world *= effect.localTransform();
    addItem(out, shape, m_meshes.meshFor(*shape), world, effect.colour, highlighted);
}

void SceneRenderAdapter::addMarker(viewport::RenderScene& out, const sg::Scene& scene,
                                   const std::shared_ptr<sg::Shape>& marker, bool highlighted)
{
    if (marker->kind() == sg::ShapeKind::LightMarker) {
        const auto light = scene.light(marker->LightLink());
        if (!light)
            return;
        QMatrix4x4 world;
        world.translate(light->position());
        addItem(out, marker, m_lightGlyph, world, glyphColourOf(*light), highlighted);
    } else if (marker->kind() == sg::ShapeKind::CameraMarker) {
        const auto camera = scene.camera(marker->ObjectLink());
        const auto group = camera ? camera->parentGroup() : nullptr;
        // A camera on the root stands at the origin, where its glyph would only clutter.
        if (!group || group == scene.rootGroup())
            return;
        addItem(out, marker, m_cameraGlyph, group->worldTransform(), cameraGlyphColour,
                highlighted);
    } else if (marker->kind() == sg::ShapeKind::OperationMarker) {
        addItem(out, marker, m_operationGlyph, marker->worldTransform(), operationGlyphColour,
                highlighted);
    }
}

} // namespace vellum::studio
