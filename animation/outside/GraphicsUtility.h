#pragma once

#include <QImage>
#include <QString>
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

    // The video file of a recording: opened with the frame format of the picture, one frame per
    // AviAddFrame (indices from 0), closed by AviClose, which is harmless when nothing is open.
    virtual void AviOpen(const QString& fileName, const QImage& picture,
                         std::int32_t framesPerSecond) = 0;
    virtual void AviAddFrame(const QImage& bitmap, std::int32_t frameIndex) = 0;
    virtual void AviClose() = 0;
    // Wraps a bitmap into a picture that owns it.
    virtual QImage PictureFromBitmap(QImage bitmap, std::int32_t flags) = 0;
};

} // namespace vellum::outside
