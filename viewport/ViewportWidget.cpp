#include "ViewportWidget.h"

#include "CameraNavigation.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <QtMath>
#include <algorithm>

namespace vellum::viewport {

namespace {

constexpr float DegreesPerPixel = 0.4f;
constexpr float ZoomPerNotch = 0.85f;
constexpr float DefaultPivotDistance = 10.0f;

} // namespace

ViewportWidget::ViewportWidget(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    resetPivot();
    m_catchUp.setSingleShot(true);
    connect(&m_catchUp, &QTimer::timeout, this, qOverload<>(&QWidget::update));
}

ViewportWidget::~ViewportWidget() = default;

void ViewportWidget::setScene(const RenderScene& scene)
{
    m_scene = scene;
    invalidate();
}

void ViewportWidget::setCamera(const RenderCamera& camera)
{
    m_camera = camera;
    resetPivot();
    invalidate();
}

void ViewportWidget::setCameraPosition(const QVector3D& position)
{
    m_camera.position = position;
    resetPivot();
    invalidate();
}

void ViewportWidget::setCameraOrientation(const QVector3D& direction, const QVector3D& up)
{
    m_camera.direction = direction;
    m_camera.up = up;
    resetPivot();
    invalidate();
}

void ViewportWidget::setFieldOfView(float degrees)
{
    m_camera.fieldOfViewDegrees = degrees;
    invalidate();
}

void ViewportWidget::setAntiAliasing(int level)
{
    m_antiAliasing = level;
    invalidate();
}

QImage ViewportWidget::render()
{
    renderFrame();
    QImage image = m_frame->copy();
    image.setDevicePixelRatio(devicePixelRatioF());
    return image;
}

int ViewportWidget::pickItem(QPoint position)
{
    if (!frameIsCurrent())
        renderFrame();
    const qreal ratio = devicePixelRatioF();
    return m_renderer.itemAt(QPoint(qFloor(position.x() * ratio), qFloor(position.y() * ratio)));
}

void ViewportWidget::draw()
{
    invalidate();
    if (isVisible()) {
        repaint();
        return;
    }
    renderFrame();
    Q_EMIT drawn();
}

void ViewportWidget::scheduleDraw()
{
    invalidate();
}

void ViewportWidget::setMinimumRenderInterval(int milliseconds)
{
    m_renderInterval = std::max(0, milliseconds);
    if (m_renderInterval == 0 && m_catchUp.isActive()) {
        m_catchUp.stop();
        update();
    }
}

void ViewportWidget::paintEvent(QPaintEvent*)
{
    if (!frameIsCurrent())
        renderFrame();
    QPainter painter(this);
    // Device pixels onto the logical rectangle: one to one on any screen.
    painter.drawImage(rect(), *m_frame);
    painter.end();
    // A handler that grabs this widget paints it again from inside here: that nested paint
    // shows the same frame and must not announce it once more.
    if (m_painting)
        return;
    m_painting = true;
    Q_EMIT drawn();
    m_painting = false;
}

void ViewportWidget::mousePressEvent(QMouseEvent* event)
{
    Q_EMIT mousePressed();
    m_pressPosition = m_lastPosition = event->position().toPoint();
    if (event->button() == Qt::LeftButton)
        m_gesture = Gesture::Click;
    else if (event->button() == Qt::RightButton || event->button() == Qt::MiddleButton)
        m_gesture = (event->modifiers() & Qt::ShiftModifier) ? Gesture::Pan : Gesture::Orbit;
}

void ViewportWidget::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint position = event->position().toPoint();
    const QPoint delta = position - m_lastPosition;
    m_lastPosition = position;
    if (!m_navigationEnabled || delta.isNull())
        return;
    if (m_gesture == Gesture::Orbit) {
        moveCamera(orbitCamera(m_camera, pivotAhead(m_camera, m_pivotDistance),
                               -float(delta.x()) * DegreesPerPixel,
                               float(delta.y()) * DegreesPerPixel));
    } else if (m_gesture == Gesture::Pan) {
        // One pixel moves the pivot plane by one pixel's worth of world.
        const float viewHeight =
            m_camera.orthographic
                ? m_camera.orthoHeight
                : 2.0f * m_pivotDistance *
                      std::tan(qDegreesToRadians(m_camera.fieldOfViewDegrees) * 0.5f);
        const float perPixel = viewHeight / float(std::max(height(), 1));
        moveCamera(panCamera(m_camera, -float(delta.x()) * perPixel, float(delta.y()) * perPixel));
    }
}

void ViewportWidget::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint position = event->position().toPoint();
    const bool click =
        m_gesture == Gesture::Click && event->button() == Qt::LeftButton &&
        (position - m_pressPosition).manhattanLength() < QApplication::startDragDistance();
    m_gesture = Gesture::None;
    if (click)
        Q_EMIT clicked(position);
}

void ViewportWidget::wheelEvent(QWheelEvent* event)
{
    if (!m_navigationEnabled || event->angleDelta().y() == 0)
        return;
    const float notches = float(event->angleDelta().y()) / 120.0f;
    const float factor = std::pow(ZoomPerNotch, notches);
    const QVector3D pivot = pivotAhead(m_camera, m_pivotDistance);
    m_pivotDistance *= factor;
    moveCamera(dollyCamera(m_camera, pivot, factor));
    event->accept();
}

void ViewportWidget::renderFrame()
{
    // Painting from the renderer's own image, not a copy, keeps its pixels unshared, so the
    // next frame reuses them instead of allocating.
    m_frame = &m_renderer.render(m_scene, m_camera, deviceSize(), m_antiAliasing);
    m_frameValid = true;
    m_sinceRender.start();
}

bool ViewportWidget::frameIsCurrent() const
{
    return m_frame && m_frameValid && m_frame->size() == deviceSize();
}

// Within the interval since the last render, a change waits for the catch-up paint; the frame on
// show stands in meanwhile.
bool ViewportWidget::waitsForInterval()
{
    if (m_renderInterval == 0 || !m_frame || m_frame->size() != deviceSize())
        return false;
    const qint64 remaining = m_renderInterval - m_sinceRender.elapsed();
    if (remaining <= 0)
        return false;
    if (!m_catchUp.isActive())
        m_catchUp.start(int(remaining));
    return true;
}

void ViewportWidget::invalidate()
{
    m_frameValid = false;
    if (!waitsForInterval())
        update();
}

void ViewportWidget::moveCamera(const RenderCamera& camera)
{
    m_camera = camera;
    invalidate();
    Q_EMIT cameraChanged();
}

// The pivot sits where the view meets the ground, or at a fixed distance when it misses it.
void ViewportWidget::resetPivot()
{
    const QVector3D forward = m_camera.direction.normalized();
    const float height = m_camera.position.y();
    if (forward.y() < -1e-3f && height > 0.0f)
        m_pivotDistance = std::clamp(-height / forward.y(), m_camera.nearPlane * 10.0f, 1000.0f);
    else
        m_pivotDistance = DefaultPivotDistance;
}

QSize ViewportWidget::deviceSize() const
{
    const qreal ratio = devicePixelRatioF();
    return QSize(std::max(1, qRound(width() * ratio)), std::max(1, qRound(height() * ratio)));
}

} // namespace vellum::viewport
