#pragma once

#include <QRgb>
#include <vector>

class QImage;

namespace vellum::viewport {

// The sample-resolution targets of one frame. Depth is reversed (1 at the near plane, 0 where
// nothing was drawn), which keeps float precision where the geometry is.
class FrameBuffers
{
public:
    void resize(int width, int height);
    void clear(QRgb background);
    // Box-filters factor x factor samples into each pixel of image (whose size it must match).
    void resolveInto(QImage& image, int factor) const;

    int width() const { return m_width; }
    int height() const { return m_height; }
    int offset(int x, int y) const { return y * m_width + x; }

    QRgb* colour() { return m_colour.data(); }
    float* depth() { return m_depth.data(); }
    qint32* ids() { return m_ids.data(); }
    const float* depth() const { return m_depth.data(); }
    const qint32* ids() const { return m_ids.data(); }

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<QRgb> m_colour;
    std::vector<float> m_depth;
    std::vector<qint32> m_ids;
};

} // namespace vellum::viewport
