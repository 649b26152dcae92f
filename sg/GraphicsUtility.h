#pragma once

#include "VellumSGExport.h"

#include <QElapsedTimer>
#include <QPointer>
#include <memory>
#include <outside/GraphicsUtility.h>

namespace vellum::sg {

class SceneGraph;
class VideoWriter;

// Display requests go to the host through the scene graph's signals.
class VELLUMSG_EXPORT GraphicsUtility : public outside::GraphicsUtility
{
public:
    explicit GraphicsUtility(SceneGraph* sceneGraph);
    ~GraphicsUtility() override;

    std::int32_t TickCount() override;
    void SetNormalDisplay(bool normal) override;
    void GhostDelay(std::int32_t milliseconds) override; // refuses a negative delay
    void ScreenPosition(QWidget* widget, std::int32_t& x, std::int32_t& y) override;

    // One video at a time, written by a VideoWriter of the picture's size; opening another
    // closes the one before.
    void AviOpen(const QString& fileName, const QImage& picture,
                 std::int32_t framesPerSecond) override;
    void AviAddFrame(const QImage& bitmap, std::int32_t frameIndex) override;
    void AviClose() override;
    QImage PictureFromBitmap(QImage bitmap, std::int32_t flags) override;

private:
    std::unique_ptr<VideoWriter> m_video;
    QPointer<SceneGraph> m_sceneGraph;
    QElapsedTimer m_clock;
};

} // namespace vellum::sg
