#pragma once

#include <QtGlobal>
#include <cstdint>

class QWidget;

namespace vellum::outside {

class GraphicsUtility
{
public:
    virtual ~GraphicsUtility() = default;
    // Milliseconds from an arbitrary start; may wrap.
    virtual std::int32_t TickCount() = 0;
    // False while the animation window covers the rendering area full screen.
    virtual void SetNormalDisplay(bool normal) = 0;
    // Keeps the ghost copies on screen for that long.
    virtual void GhostDelay(std::int32_t milliseconds) = 0;
    // Screen position in pixels of the widget's client origin.
    virtual void ScreenPosition(QWidget* widget, std::int32_t& x, std::int32_t& y) = 0;
};

} // namespace vellum::outside
