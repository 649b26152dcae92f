#include "LineRasterizer.h"

#include "FrameBuffers.h"

#include <QColor>
#include <algorithm>
#include <cmath>
#include <utility>

namespace vellum::viewport {

namespace {

constexpr float DepthTolerance = 2e-3f; // relative

struct Plotter
{
    FrameBuffers& buffers;
    QRgb colour;
    bool steep; // x and y swapped: the line walks along y

    void plot(int major, int minor, float depth, float alpha) const
    {
        const int x = steep ? minor : major;
        const int y = steep ? major : minor;
        if (x < 0 || y < 0 || x >= buffers.width() || y >= buffers.height() || alpha <= 0.0f)
            return;
        const int at = buffers.offset(x, y);
        if (depth * (1.0f + DepthTolerance) < buffers.depth()[at])
            return;
        QRgb& target = buffers.colour()[at];
        const float keep = 1.0f - alpha;
        const auto mix = [&](int src, int dst) {
            return int(float(src) * alpha + float(dst) * keep + 0.5f);
        };
        target = qRgb(mix(qRed(colour), qRed(target)), mix(qGreen(colour), qGreen(target)),
                      mix(qBlue(colour), qBlue(target)));
    }
};

} // namespace

void drawLine(FrameBuffers& buffers, const LineVertex& a, const LineVertex& b, QRgb colour,
              float thickness)
{
    float ax = a.x, ay = a.y, bx = b.x, by = b.y;
    const bool steep = std::abs(by - ay) > std::abs(bx - ax);
    if (steep) {
        std::swap(ax, ay);
        std::swap(bx, by);
    }
    const LineVertex* from = &a;
    const LineVertex* to = &b;
    if (ax > bx) {
        std::swap(ax, bx);
        std::swap(ay, by);
        std::swap(from, to);
    }
    const float run = bx - ax;
    if (run <= 0.0f)
        return;
    const float slope = (by - ay) / run;
    // The band across the walking axis that a line of this thickness covers.
    const float halfBand = 0.5f * thickness * std::sqrt(1.0f + slope * slope);
    const int limit = steep ? buffers.height() : buffers.width();
    const int first = std::max(0, int(std::ceil(ax - 0.5f)));
    // Half-open, so that the pieces of one polyline meet without a doubled pixel.
    const int last = std::min(limit - 1, int(std::ceil(bx - 0.5f)) - 1);
    const Plotter plotter{buffers, colour, steep};
    const float perRun = 1.0f / run;
    for (int major = first; major <= last; ++major) {
        const float along = float(major) + 0.5f - ax;
        const float t = along * perRun;
        const float centre = ay + slope * along;
        const float depth = from->depth + (to->depth - from->depth) * t;
        const float alpha = from->alpha + (to->alpha - from->alpha) * t;
        const float low = centre - halfBand;
        const float high = centre + halfBand;
        for (int minor = int(std::floor(low)); minor <= int(std::floor(high)); ++minor) {
            const float coverage =
                std::min(float(minor) + 1.0f, high) - std::max(float(minor), low);
            plotter.plot(major, minor, depth, alpha * std::clamp(coverage, 0.0f, 1.0f));
        }
    }
}

} // namespace vellum::viewport
