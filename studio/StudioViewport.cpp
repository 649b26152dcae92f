#include "StudioViewport.h"

#include <Error.h>
#include <sg/SceneGraph.h>
#include <viewport/ViewportWidget.h>

namespace vellum::studio {

StudioViewport::StudioViewport(QWidget* parent) : m_widget(new viewport::ViewportWidget(parent))
{
    // The animation is watched, not navigated: a press stops it instead.
    m_widget->setNavigationEnabled(false);
    m_adapter.setMarkersShown(false);
}

StudioViewport::~StudioViewport()
{
    if (m_widget && !m_widget->parent())
        delete m_widget.data();
}

QWidget* StudioViewport::widget()
{
    return m_widget;
}

void StudioViewport::setAntiAliasing(std::int32_t level)
{
    m_widget->setAntiAliasing(level);
}

void StudioViewport::setCameraFieldOfView(float degrees)
{
    m_widget->setFieldOfView(degrees);
}

void StudioViewport::Draw()
{
    if (m_graph) {
        viewport::RenderScene scene = m_adapter.build(*m_graph->scene());
        scene.groundGrid = m_displayOption;
        m_widget->setScene(scene);
    }
    m_widget->draw();
}

void StudioViewport::AttachScene(outside::SceneGraphPtr& sceneGraph, const outside::ViewPtr& view)
{
    auto graph = std::dynamic_pointer_cast<sg::SceneGraph>(sceneGraph);
    if (!graph)
        throw Error::typeMismatch();
    m_graph = std::move(graph);
    m_view = view;
}

void StudioViewport::SetCameraPosition(float& x, float& y, float& z)
{
    m_widget->setCameraPosition(QVector3D(x, y, z));
}

void StudioViewport::SetCameraOrientation(float& directionX, float& directionY, float& directionZ,
                                          float& upX, float& upY, float& upZ)
{
    m_widget->setCameraOrientation(QVector3D(directionX, directionY, directionZ),
                                   QVector3D(upX, upY, upZ));
}

void StudioViewport::onMouseEvent(std::function<void()> handler)
{
    QObject::connect(m_widget, &viewport::ViewportWidget::mousePressed, m_widget,
                     std::move(handler));
}

void StudioViewport::onDrawn(std::function<void()> handler)
{
    QObject::connect(m_widget, &viewport::ViewportWidget::drawn, m_widget, std::move(handler));
}

} // namespace vellum::studio
