#include "GraphicsUtility.h"

#include "SceneGraph.h"
#include "SgError.h"
#include "VideoWriter.h"

#include <QWidget>

namespace vellum::sg {

GraphicsUtility::GraphicsUtility(SceneGraph* sceneGraph) : m_sceneGraph(sceneGraph)
{
    m_clock.start();
}

GraphicsUtility::~GraphicsUtility() = default;

std::int32_t GraphicsUtility::TickCount()
{
    // Wraps like a 32-bit millisecond counter.
    return std::int32_t(std::uint32_t(std::uint64_t(m_clock.elapsed())));
}

void GraphicsUtility::SetNormalDisplay(bool normal)
{
    if (m_sceneGraph)
        emit m_sceneGraph->normalDisplayRequested(normal);
}

void GraphicsUtility::GhostDelay(std::int32_t milliseconds)
{
    if (milliseconds < 0)
        throw Error::invalidPropertyValue();
    if (m_sceneGraph)
        emit m_sceneGraph->ghostDelayRequested(milliseconds);
}

void GraphicsUtility::ScreenPosition(QWidget* widget, std::int32_t& x, std::int32_t& y)
{
    if (!widget)
        throw objectRequired();
    const QPoint origin = widget->mapToGlobal(QPoint(0, 0));
    x = origin.x();
    y = origin.y();
}

void GraphicsUtility::AviOpen(const QString& fileName, const QImage& picture,
                              std::int32_t framesPerSecond)
{
    if (picture.isNull())
        throw objectRequired();
    AviClose();
    m_video = std::make_unique<VideoWriter>(fileName, picture.size(), framesPerSecond);
}

void GraphicsUtility::AviAddFrame(const QImage& bitmap, std::int32_t frameIndex)
{
    if (!m_video)
        throw Error::invalidProcedureCall();
    m_video->addFrame(bitmap, frameIndex);
}

void GraphicsUtility::AviClose()
{
    // Released before finishing, so that a failed finish leaves nothing open.
    const std::unique_ptr<VideoWriter> video = std::move(m_video);
    if (video)
        video->close();
}

QImage GraphicsUtility::PictureFromBitmap(QImage bitmap, std::int32_t)
{
    if (bitmap.isNull())
        throw objectRequired();
    return bitmap;
}

} // namespace vellum::sg
