#pragma once

#include "VellumSGExport.h"

#include <QPointer>
#include <QRect>
#include <outside/PictureFactory.h>

namespace vellum::sg {

class SceneGraph;

class VELLUMSG_EXPORT PictureFactory : public outside::PictureFactory
{
public:
    explicit PictureFactory(SceneGraph* sceneGraph);

    // The scene graph's rendering rectangle, as the host set it.
    void MaximumDimensions(std::int32_t& left, std::int32_t& top, std::int32_t& width,
                           std::int32_t& height) override;
    // Paints the visible top-level widgets over that rectangle onto black. Where nothing
    // covers it and a real screen exists, the screen is grabbed instead.
    QImage CreateOffscreenPicture(std::int32_t x, std::int32_t y, std::int32_t width,
                                  std::int32_t height, std::int32_t flags) override;

private:
    QPointer<SceneGraph> m_sceneGraph;
};

} // namespace vellum::sg
