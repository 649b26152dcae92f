#include "TriangleRasterizer.h"

#include "FrameBuffers.h"

#include <QColor>
#include <algorithm>
#include <cmath>
#include <utility>

namespace vellum::viewport {

namespace {

constexpr int SubBits = 8;
constexpr qint64 SubScale = qint64(1) << SubBits;
constexpr qint64 HalfSample = SubScale / 2;

struct FixedPoint
{
    qint64 x;
    qint64 y;
};

FixedPoint snap(const ScreenVertex& v)
{
    return {std::llrint(double(v.x) * SubScale), std::llrint(double(v.y) * SubScale)};
}

qint64 orient(const FixedPoint& a, const FixedPoint& b, const FixedPoint& c)
{
    return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
}

// With positive area and y down, top edges run rightwards and left edges upwards.
bool isTopLeft(const FixedPoint& from, const FixedPoint& to)
{
    const qint64 dx = to.x - from.x;
    const qint64 dy = to.y - from.y;
    return (dy == 0 && dx > 0) || dy < 0;
}

// Value of the edge function at a sample centre, and its steps to the next sample.
struct Edge
{
    Edge(const FixedPoint& from, const FixedPoint& to, const FixedPoint& origin)
        : stepX(-(to.y - from.y) * SubScale), stepY((to.x - from.x) * SubScale),
          value((to.x - from.x) * (origin.y - from.y) - (to.y - from.y) * (origin.x - from.x) +
                (isTopLeft(from, to) ? 0 : -1))
    {}
    qint64 stepX;
    qint64 stepY;
    qint64 value;
};

// Attribute planes relative to vertex a, in barycentric weights of b and c.
struct Interpolant
{
    Interpolant(float a, float b, float c) : base(a), towardsB(b - a), towardsC(c - a) {}
    float at(float wb, float wc) const { return base + wb * towardsB + wc * towardsC; }
    float base;
    float towardsB;
    float towardsC;
};

struct Setup
{
    Setup(const ScreenVertex& a, const ScreenVertex& b, const ScreenVertex& c)
        : depth(a.depth, b.depth, c.depth), invW(a.invW, b.invW, c.invW), red(a.red, b.red, c.red),
          green(a.green, b.green, c.green), blue(a.blue, b.blue, c.blue)
    {}
    Interpolant depth;
    Interpolant invW;
    Interpolant red;
    Interpolant green;
    Interpolant blue;
};

int channel(float value)
{
    return std::clamp(int(value + 0.5f), 0, 255);
}

QRgb blend(QRgb destination, int r, int g, int b, float opacity)
{
    const float keep = 1.0f - opacity;
    return qRgb(channel(float(r) * opacity + float(qRed(destination)) * keep),
                channel(float(g) * opacity + float(qGreen(destination)) * keep),
                channel(float(b) * opacity + float(qBlue(destination)) * keep));
}

template <bool Blended>
void fill(FrameBuffers& buffers, const Setup& setup, Edge e0, Edge e1, Edge e2, float invArea,
          int minX, int maxX, int minY, int maxY, const TriangleStyle& style)
{
    for (int y = minY; y <= maxY; ++y) {
        qint64 w0 = e0.value;
        qint64 w1 = e1.value;
        qint64 w2 = e2.value;
        const int rowStart = buffers.offset(0, y);
        float* depthRow = buffers.depth() + rowStart;
        QRgb* colourRow = buffers.colour() + rowStart;
        qint32* idRow = buffers.ids() + rowStart;
        bool entered = false;
        for (int x = minX; x <= maxX; ++x, w0 += e0.stepX, w1 += e1.stepX, w2 += e2.stepX) {
            if ((w0 | w1 | w2) < 0) {
                if (entered)
                    break;
                continue;
            }
            entered = true;
            const float wb = float(w1) * invArea;
            const float wc = float(w2) * invArea;
            const float depth = setup.depth.at(wb, wc);
            if (depth <= depthRow[x])
                continue;
            const float w = 1.0f / setup.invW.at(wb, wc);
            const int r = channel(setup.red.at(wb, wc) * w);
            const int g = channel(setup.green.at(wb, wc) * w);
            const int b = channel(setup.blue.at(wb, wc) * w);
            if constexpr (Blended) {
                colourRow[x] = blend(colourRow[x], r, g, b, style.opacity);
            } else {
                colourRow[x] = qRgb(r, g, b);
                depthRow[x] = depth;
                idRow[x] = style.id;
            }
        }
        e0.value += e0.stepY;
        e1.value += e1.stepY;
        e2.value += e2.stepY;
    }
}

} // namespace

void drawTriangle(FrameBuffers& buffers, const ScreenVertex& v0, const ScreenVertex& v1,
                  const ScreenVertex& v2, const TriangleStyle& style)
{
    const ScreenVertex* a = &v0;
    const ScreenVertex* b = &v1;
    const ScreenVertex* c = &v2;
    FixedPoint pa = snap(*a);
    FixedPoint pb = snap(*b);
    FixedPoint pc = snap(*c);
    qint64 area = orient(pa, pb, pc);
    if (area == 0)
        return;
    // Counter-clockwise with y up is clockwise with y down: a negative area is a front face.
    if (area > 0 && style.cullBackFaces)
        return;
    if (area < 0) {
        std::swap(b, c);
        std::swap(pb, pc);
        area = -area;
    }

    const int minX = int(
        std::max<qint64>(0, (std::min({pa.x, pb.x, pc.x}) - HalfSample + SubScale - 1) >> SubBits));
    const int minY = int(
        std::max<qint64>(0, (std::min({pa.y, pb.y, pc.y}) - HalfSample + SubScale - 1) >> SubBits));
    const int maxX = int(std::min<qint64>(buffers.width() - 1,
                                          (std::max({pa.x, pb.x, pc.x}) - HalfSample) >> SubBits));
    const int maxY = int(std::min<qint64>(buffers.height() - 1,
                                          (std::max({pa.y, pb.y, pc.y}) - HalfSample) >> SubBits));
    if (minX > maxX || minY > maxY)
        return;

    const FixedPoint origin{qint64(minX) * SubScale + HalfSample,
                            qint64(minY) * SubScale + HalfSample};
    const Edge e0(pb, pc, origin);
    const Edge e1(pc, pa, origin);
    const Edge e2(pa, pb, origin);
    const Setup setup(*a, *b, *c);
    const float invArea = float(1.0 / double(area));
    if (style.blended)
        fill<true>(buffers, setup, e0, e1, e2, invArea, minX, maxX, minY, maxY, style);
    else
        fill<false>(buffers, setup, e0, e1, e2, invArea, minX, maxX, minY, maxY, style);
}

} // namespace vellum::viewport
