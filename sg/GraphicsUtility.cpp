#include "GraphicsUtility.h"

#include "SceneGraph.h"
#include "SgError.h"

#include <QWidget>

namespace vellum::sg {

GraphicsUtility::GraphicsUtility(SceneGraph* sceneGraph) : m_sceneGraph(sceneGraph)
{
    m_clock.start();
}

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

} // namespace vellum::sg
