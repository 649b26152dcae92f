#pragma once

#include "RenderCamera.h"
#include "RenderScene.h"
#include "VellumViewportExport.h"

#include <QImage>
#include <QPoint>
#include <QSize>
#include <memory>

namespace vellum::viewport {

class RendererPrivate;

// Draws a scene through a camera into an image, in software. Its buffers are kept between
// frames, so once a size has been seen, rendering allocates nothing.
class VELLUMVIEWPORT_EXPORT Renderer
{
public:
    Renderer();
    ~Renderer();
    Renderer(const Renderer&) = delete;
    Renderer& operator=(const Renderer&) = delete;

    // antiAliasing is 0, 2 or 4: 1, 2 x 2 or 4 x 4 samples per pixel. The image is the
    // renderer's own and is overwritten by the next call; copy it to keep it.
    const QImage& render(const RenderScene& scene, const RenderCamera& camera, QSize size,
                         int antiAliasing = 0);

    // Index in the last rendered scene of the opaque item drawn at the pixel, or -1.
    int itemAt(QPoint pixel) const;

    static int samplesPerEdge(int antiAliasing);

private:
    std::unique_ptr<RendererPrivate> d;
};

} // namespace vellum::viewport
