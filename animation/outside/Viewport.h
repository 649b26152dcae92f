#pragma once

#include "Forward.h"

#include <QString>
#include <cstdint>
#include <functional>

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
