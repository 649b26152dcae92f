#pragma once

#include "Forward.h"
#include "VellumAnimationExport.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

class QWidget;

namespace vellum::outside {

// The viewport control that draws the scene in the animation window.
class Viewport
{
public:
    virtual ~Viewport() = default;

    virtual QWidget* widget() = 0;

    virtual void setBackgroundTexture(const QString& texture) = 0;
    virtual void setAntiAliasing(std::int32_t level) = 0; // 0, 2 or 4: samples per edge
    virtual void setDisplayOption(bool option) = 0;
    virtual void setSettingValueA(std::int32_t value) = 0;
    virtual void setSettingValueB(std::int32_t value) = 0;
    virtual void setSettingValueC(std::int32_t value) = 0;
    virtual void setCameraFieldOfView(float degrees) = 0;

    virtual void Draw() = 0;
    virtual void AttachScene(SceneGraphPtr& sceneGraph, const ViewPtr& view) = 0;
    virtual void SetCameraPosition(float& x, float& y, float& z) = 0;
    virtual void SetCameraOrientation(float& directionX, float& directionY, float& directionZ,
                                      float& upX, float& upY, float& upZ) = 0;

    // Raised on a mouse press in the viewport, and after each drawing.
    virtual void onMouseEvent(std::function<void()> handler) = 0;
    virtual void onDrawn(std::function<void()> handler) = 0;
};

} // namespace vellum::outside

namespace vellum::outside {

// The host supplies the viewport control, since the panel links no renderer of its own.
using ViewportFactory = std::function<std::unique_ptr<Viewport>(QWidget* parent)>;
VELLUMANIMATION_EXPORT void setViewportFactory(ViewportFactory factory);
// A new viewport from the host's factory; refused when the host installed none.
VELLUMANIMATION_EXPORT std::unique_ptr<Viewport> createViewport(QWidget* parent);

} // namespace vellum::outside
