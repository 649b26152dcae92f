#include "FrameBuffers.h"

#include <QImage>
#include <algorithm>
#include <cstring>

namespace vellum::viewport {

namespace {

void resolveRow(const QRgb* samples, int sampleStride, int factor, int pixels, QRgb* out)
{
    const int count = factor * factor;
    for (int x = 0; x < pixels; ++x) {
        int r = 0;
        int g = 0;
        int b = 0;
        for (int sy = 0; sy < factor; ++sy) {
            const QRgb* row = samples + sy * sampleStride + x * factor;
            for (int sx = 0; sx < factor; ++sx) {
                r += qRed(row[sx]);
                g += qGreen(row[sx]);
                b += qBlue(row[sx]);
            }
        }
        const int half = count / 2;
        out[x] = qRgb((r + half) / count, (g + half) / count, (b + half) / count);
    }
}

} // namespace

void FrameBuffers::resize(int width, int height)
{
    m_width = width;
    m_height = height;
    const std::size_t size = std::size_t(width) * std::size_t(height);
    m_colour.resize(size);
    m_depth.resize(size);
    m_ids.resize(size);
}

void FrameBuffers::clear(QRgb background)
{
    std::fill(m_colour.begin(), m_colour.end(), background);
    std::fill(m_depth.begin(), m_depth.end(), 0.0f);
    std::fill(m_ids.begin(), m_ids.end(), -1);
}

void FrameBuffers::resolveInto(QImage& image, int factor) const
{
    for (int y = 0; y < image.height(); ++y) {
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        const QRgb* samples = m_colour.data() + std::size_t(y) * factor * m_width;
        if (factor == 1)
            std::memcpy(out, samples, std::size_t(image.width()) * sizeof(QRgb));
        else
            resolveRow(samples, m_width, factor, image.width(), out);
    }
}

} // namespace vellum::viewport
