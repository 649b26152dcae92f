#pragma once

#include "VellumSGExport.h"

#include <QElapsedTimer>
#include <QPointer>
#include <outside/GraphicsUtility.h>

namespace vellum::sg {

class SceneGraph;

// Display requests go to the host through the scene graph's signals.
class VELLUMSG_EXPORT GraphicsUtility : public outside::GraphicsUtility
{
public:
    explicit GraphicsUtility(SceneGraph* sceneGraph);

    std::int32_t TickCount() override;
    void SetNormalDisplay(bool normal) override;
    void GhostDelay(std::int32_t milliseconds) override; // refuses a negative delay
    void ScreenPosition(QWidget* widget, std::int32_t& x, std::int32_t& y) override;

private:
    QPointer<SceneGraph> m_sceneGraph;
    QElapsedTimer m_clock;
};

} // namespace vellum::sg
