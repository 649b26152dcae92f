#include "Renderer.h"

#include "ClipVolume.h"
#include "FrameBuffers.h"
#include "GroundGrid.h"
#include "Lighting.h"
#include "MeshPass.h"
#include "ViewProjection.h"

#include <algorithm>
#include <vector>

namespace vellum::viewport {

class RendererPrivate
{
public:
    void drawOpaque(const RenderScene& scene, const ViewProjection& view, const ClipVolume& volume);
    void drawBlended(const RenderScene& scene, const ViewProjection& view,
                     const ClipVolume& volume);

    FrameBuffers buffers;
    Lighting lighting;
    MeshPass meshPass;
    std::vector<std::pair<float, qsizetype>> blendOrder;
    QImage image;
    int factor = 1;
};

namespace {

bool drawable(const RenderItem& item)
{
    return item.visible && item.mesh && item.opacity > 0.0f && !item.mesh->indices.isEmpty();
}

} // namespace

void RendererPrivate::drawOpaque(const RenderScene& scene, const ViewProjection& view,
                                 const ClipVolume& volume)
{
    for (qsizetype i = 0; i < scene.items.size(); ++i) {
        const RenderItem& item = scene.items[i];
        if (drawable(item) && item.opacity >= 1.0f)
            meshPass.draw(item, qint32(i), view, volume, lighting, buffers);
    }
}

// Farthest first, judged by each item's origin.
void RendererPrivate::drawBlended(const RenderScene& scene, const ViewProjection& view,
                                  const ClipVolume& volume)
{
    blendOrder.clear();
    for (qsizetype i = 0; i < scene.items.size(); ++i) {
        const RenderItem& item = scene.items[i];
        if (drawable(item) && item.opacity < 1.0f) {
            const QVector3D origin = item.world.column(3).toVector3D();
            blendOrder.emplace_back(QVector3D::dotProduct(origin - view.eye(), view.forward()), i);
        }
    }
    std::sort(blendOrder.begin(), blendOrder.end(),
              [](const auto& a, const auto& b) { return a.first > b.first; });
    for (const auto& [depth, index] : blendOrder)
        meshPass.draw(scene.items[index], -1, view, volume, lighting, buffers);
}

Renderer::Renderer() : d(std::make_unique<RendererPrivate>()) {}

Renderer::~Renderer() = default;

int Renderer::samplesPerEdge(int antiAliasing)
{
    return antiAliasing >= 4 ? 4 : antiAliasing >= 2 ? 2 : 1;
}

const QImage& Renderer::render(const RenderScene& scene, const RenderCamera& camera, QSize size,
                               int antiAliasing)
{
    size = size.expandedTo(QSize(1, 1));
    d->factor = samplesPerEdge(antiAliasing);
    const int width = size.width() * d->factor;
    const int height = size.height() * d->factor;
    d->buffers.resize(width, height);
    d->buffers.clear(scene.background.rgb());

    const ViewProjection view(camera, width, height);
    const ClipVolume volume(view.nearPlane(), view.farPlane());
    d->lighting.setUp(scene, camera);

    d->drawOpaque(scene, view, volume);
    if (scene.groundGrid)
        drawGroundGrid(scene, view, volume, float(d->factor), d->buffers);
    d->drawBlended(scene, view, volume);

    if (d->image.size() != size)
        d->image = QImage(size, QImage::Format_RGB32);
    d->buffers.resolveInto(d->image, d->factor);
    return d->image;
}

int Renderer::itemAt(QPoint pixel) const
{
    const int x = pixel.x() * d->factor + d->factor / 2;
    const int y = pixel.y() * d->factor + d->factor / 2;
    if (pixel.x() < 0 || pixel.y() < 0 || x >= d->buffers.width() || y >= d->buffers.height())
        return -1;
    const int at = d->buffers.offset(x, y);
    return d->buffers.depth()[at] > 0.0f ? d->buffers.ids()[at] : -1;
}

} // namespace vellum::viewport
