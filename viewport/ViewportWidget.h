#pragma once

#include "RenderCamera.h"
#include "RenderScene.h"
#include "Renderer.h"
#include "VellumViewportExport.h"

#include <QElapsedTimer>
#include <QImage>
#include <QPoint>
#include <QTimer>
#include <QWidget>

namespace vellum::viewport {

// Shows a scene through a camera. The left button belongs to the host (clicked, pickItem);
// the right or middle button orbits about a pivot ahead of the camera, with Shift it pans, and
// the wheel zooms.
class VELLUMVIEWPORT_EXPORT ViewportWidget : public QWidget
{
    Q_OBJECT

public:
    explicit ViewportWidget(QWidget* parent = nullptr);
    ~ViewportWidget() override;

    void setScene(const RenderScene& scene);
    const RenderScene& scene() const { return m_scene; }

    void setCamera(const RenderCamera& camera);
    const RenderCamera& camera() const { return m_camera; }
    void setCameraPosition(const QVector3D& position);
    void setCameraOrientation(const QVector3D& direction, const QVector3D& up);
    void setFieldOfView(float degrees);

    // 0, 2 or 4 samples per pixel edge.
    void setAntiAliasing(int level);
    int antiAliasing() const { return m_antiAliasing; }

    // Whether mouse gestures move the camera; the host's signals come either way.
    void setNavigationEnabled(bool enabled) { m_navigationEnabled = enabled; }
    bool isNavigationEnabled() const { return m_navigationEnabled; }

    // The frame at the widget's size in device pixels, rendered now.
    QImage render();
    // Index of the opaque item under a point in widget coordinates, or -1.
    int pickItem(QPoint position);

    QSize sizeHint() const override { return QSize(640, 480); }

    // Changes sooner than this after the last render ask for no paint; one paint follows when
    // the interval is over, so the latest scene is always shown in the end. 0 paints at every
    // change.
    void setMinimumRenderInterval(int milliseconds);

public Q_SLOTS:
    // Renders and shows a new frame at once, even while hidden (drawn() is emitted either way).
    void draw();
    // A new frame at the next paint: requests before it are drawn once, a hidden view not at
    // all until it shows.
    void scheduleDraw();

Q_SIGNALS:
    void mousePressed();
    void clicked(QPoint position);
    void drawn();
    // The user moved the camera.
    void cameraChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    enum class Gesture
    {
        None,
        Click,
        Orbit,
        Pan
    };

    void renderFrame();
    bool frameIsCurrent() const;
    bool waitsForInterval();
    void invalidate();
    void moveCamera(const RenderCamera& camera);
    void resetPivot();
    QSize deviceSize() const;

    RenderScene m_scene;
    RenderCamera m_camera;
    Renderer m_renderer;
    const QImage* m_frame = nullptr;
    QElapsedTimer m_sinceRender;
    QTimer m_catchUp;
    int m_renderInterval = 0;
    int m_antiAliasing = 0;
    bool m_frameValid = false;
    bool m_painting = false;
    bool m_navigationEnabled = true;
    float m_pivotDistance = 10.0f;
    Gesture m_gesture = Gesture::None;
    QPoint m_pressPosition;
    QPoint m_lastPosition;
};

} // namespace vellum::viewport
