#pragma once

#include "ClipVertex.h"
#include "RenderCamera.h"
#include "ScreenVertex.h"

#include <QMatrix4x4>
#include <QVector3D>

namespace vellum::viewport {

// The camera turned into matrices for a target of the given size in samples. The "clip" matrix
// yields (x, y, view depth, w) so that clipping can work on the view depth directly.
class ViewProjection
{
public:
    ViewProjection(const RenderCamera& camera, int width, int height);

    const QMatrix4x4& clipFromWorld() const { return m_clipFromWorld; }
    QVector3D eye() const { return m_eye; }
    QVector3D forward() const { return m_forward; }
    bool orthographic() const { return m_orthographic; }
    float nearPlane() const { return m_near; }
    float farPlane() const { return m_far; }

    static ClipVertex toClip(const QMatrix4x4& clipFromLocal, const QVector3D& position)
    {
        const float* m = clipFromLocal.constData(); // column-major
        const float x = position.x(), y = position.y(), z = position.z();
        ClipVertex v;
        v.x = m[0] * x + m[4] * y + m[8] * z + m[12];
        v.y = m[1] * x + m[5] * y + m[9] * z + m[13];
        v.viewDepth = m[2] * x + m[6] * y + m[10] * z + m[14];
        v.w = m[3] * x + m[7] * y + m[11] * z + m[15];
        return v;
    }

    // Divides by w and maps to sample coordinates; call only for vertices inside the volume.
    void toScreen(const ClipVertex& v, float& x, float& y, float& depth, float& invW) const
    {
        invW = 1.0f / v.w;
        x = (v.x * invW + 1.0f) * m_halfWidth;
        y = (1.0f - v.y * invW) * m_halfHeight;
        depth = m_orthographic ? (m_far - v.viewDepth) * m_invDepthRange : m_near * invW;
    }

    ScreenVertex toScreenVertex(const ClipVertex& v) const
    {
        ScreenVertex s;
        toScreen(v, s.x, s.y, s.depth, s.invW);
        s.red = v.attributes[0] * s.invW;
        s.green = v.attributes[1] * s.invW;
        s.blue = v.attributes[2] * s.invW;
        return s;
    }

private:
    QMatrix4x4 m_clipFromWorld;
    QVector3D m_eye;
    QVector3D m_forward;
    bool m_orthographic;
    float m_near;
    float m_far;
    float m_invDepthRange;
    float m_halfWidth;
    float m_halfHeight;
};

} // namespace vellum::viewport
