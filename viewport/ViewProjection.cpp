#include "ViewProjection.h"

#include <QtMath>
#include <algorithm>

namespace vellum::viewport {

namespace {

QVector3D usableUp(const QVector3D& forward, const QVector3D& up)
{
    if (QVector3D::crossProduct(forward, up).lengthSquared() > 1e-10f)
        return up;
    // Looking along the up vector: any perpendicular will do.
    return std::abs(forward.y()) < 0.9f ? QVector3D(0.0f, 1.0f, 0.0f)
                                        : QVector3D(0.0f, 0.0f, -1.0f);
}

} // namespace

ViewProjection::ViewProjection(const RenderCamera& camera, int width, int height)
    : m_eye(camera.position),
      m_forward(camera.direction.lengthSquared() > 0.0f ? camera.direction.normalized()
                                                        : QVector3D(0.0f, 0.0f, -1.0f)),
      m_orthographic(camera.orthographic), m_near(std::max(camera.nearPlane, 1e-4f)),
      m_far(std::max(camera.farPlane, m_near * 1.001f)), m_invDepthRange(1.0f / (m_far - m_near)),
      m_halfWidth(0.5f * float(width)), m_halfHeight(0.5f * float(height))
{
    QMatrix4x4 view;
    view.lookAt(m_eye, m_eye + m_forward, usableUp(m_forward, camera.up));

    const float aspect = float(std::max(width, 1)) / float(std::max(height, 1));
    float scaleY = 1.0f;
    if (m_orthographic) {
        scaleY = 2.0f / std::max(camera.orthoHeight, 1e-6f);
    } else {
        const float fov = std::clamp(camera.fieldOfViewDegrees, 1.0f, 179.0f);
        scaleY = 1.0f / std::tan(qDegreesToRadians(fov) * 0.5f);
    }
    // Rows: clip x, clip y, view depth, w.
    const QMatrix4x4 projection(scaleY / aspect, 0.0f, 0.0f, 0.0f, //
                                0.0f, scaleY, 0.0f, 0.0f,          //
                                0.0f, 0.0f, -1.0f, 0.0f,           //
                                0.0f, 0.0f, m_orthographic ? 0.0f : -1.0f,
                                m_orthographic ? 1.0f : 0.0f);
    m_clipFromWorld = projection * view;
}

} // namespace vellum::viewport
