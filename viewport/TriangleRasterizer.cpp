#include "TriangleRasterizer.h"

#include "FrameBuffers.h"

#include <QColor>
#include <algorithm>
#include <cmath>
#include <utility>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// Narrows [first, last] to the offsets k of a row where value + k * step >= 0.
void clipToEdge(qint64 value, qint64 step, int& first, int& last)
{
    if (step > 0 && value < 0)
        first = int(std::max<qint64>(first, (-value + step - 1) / step));
    else if (step < 0 && value >= 0)
        last = int(std::min<qint64>(last, value / -step));
    else if (value < 0)
        last = first - 1; // this edge excludes the whole row
}

// Barycentric weights along a row: at offset k from its first pixel, b + k * stepB and
// c + k * stepC.
struct RowWeights
{
    float b;
    float c;
    float stepB;
    float stepC;
};

struct Shade
{
    float depth;
    QRgb colour;
};

Shade shadeAt(const Setup& setup, float wb, float wc)
{
    const float w = 1.0f / setup.invW.at(wb, wc);
    return {setup.depth.at(wb, wc),
            qRgb(channel(setup.red.at(wb, wc) * w), channel(setup.green.at(wb, wc) * w),
                 channel(setup.blue.at(wb, wc) * w))};
}

void shadeBlended(const Setup& setup, const RowWeights& row, int count, float* depth, QRgb* colour,
                  float opacity)
{
    for (int k = 0; k < count; ++k) {
        const Shade shade =
            shadeAt(setup, row.b + float(k) * row.stepB, row.c + float(k) * row.stepC);
        if (shade.depth > depth[k])
            colour[k] = blend(colour[k], qRed(shade.colour), qGreen(shade.colour),
                              qBlue(shade.colour), opacity);
    }
}

void shadeOpaqueScalar(const Setup& setup, const RowWeights& row, int from, int count, float* depth,
                       QRgb* colour, qint32* ids, qint32 id)
{
    for (int k = from; k < count; ++k) {
        const Shade shade =
            shadeAt(setup, row.b + float(k) * row.stepB, row.c + float(k) * row.stepC);
        if (shade.depth > depth[k]) {
            colour[k] = shade.colour;
            depth[k] = shade.depth;
            ids[k] = id;
        }
    }
}

#if defined(__SSE2__)
// Four pixels at a time: the same arithmetic as shadeAt, lane by lane.
struct Plane4
{
    explicit Plane4(const Interpolant& p)
        : base(_mm_set1_ps(p.base)), towardsB(_mm_set1_ps(p.towardsB)),
          towardsC(_mm_set1_ps(p.towardsC))
    {}
    __m128 at(__m128 wb, __m128 wc) const
    {
        return _mm_add_ps(_mm_add_ps(base, _mm_mul_ps(wb, towardsB)), _mm_mul_ps(wc, towardsC));
    }
    __m128 base;
    __m128 towardsB;
    __m128 towardsC;
};

__m128i channel4(__m128 value)
{
    const __m128 rounded = _mm_add_ps(value, _mm_set1_ps(0.5f));
    return _mm_cvttps_epi32(_mm_min_ps(_mm_max_ps(rounded, _mm_setzero_ps()), _mm_set1_ps(255.0f)));
}

__m128i select4(__m128i mask, __m128i chosen, __m128i kept)
{
    return _mm_or_si128(_mm_and_si128(mask, chosen), _mm_andnot_si128(mask, kept));
}

void shadeOpaque(const Setup& setup, const RowWeights& row, int count, float* depth, QRgb* colour,
                 qint32* ids, qint32 id)
{
    const Plane4 depthPlane(setup.depth), invW(setup.invW), red(setup.red), green(setup.green),
        blue(setup.blue);
    const __m128 lanes = _mm_set_ps(3.0f, 2.0f, 1.0f, 0.0f);
    const __m128i opaque = _mm_set1_epi32(int(0xff000000u));
    const __m128i id4 = _mm_set1_epi32(id);
    const auto shadeFour = [&](int k) __attribute__((always_inline)) {
        const __m128 offset = _mm_add_ps(_mm_set1_ps(float(k)), lanes);
        const __m128 wb =
            _mm_add_ps(_mm_set1_ps(row.b), _mm_mul_ps(offset, _mm_set1_ps(row.stepB)));
        const __m128 wc =
            _mm_add_ps(_mm_set1_ps(row.c), _mm_mul_ps(offset, _mm_set1_ps(row.stepC)));
        const __m128 z = depthPlane.at(wb, wc);
        const __m128 stored = _mm_loadu_ps(depth + k);
        const __m128i nearer = _mm_castps_si128(_mm_cmpgt_ps(z, stored));
        if (_mm_movemask_epi8(nearer) == 0)
            return;
        const __m128 w = _mm_div_ps(_mm_set1_ps(1.0f), invW.at(wb, wc));
        const __m128i rgb = _mm_or_si128(
            _mm_or_si128(opaque, _mm_slli_epi32(channel4(_mm_mul_ps(red.at(wb, wc), w)), 16)),
            _mm_or_si128(_mm_slli_epi32(channel4(_mm_mul_ps(green.at(wb, wc), w)), 8),
                         channel4(_mm_mul_ps(blue.at(wb, wc), w))));
        auto* colours = reinterpret_cast<__m128i*>(colour + k);
        auto* depths = reinterpret_cast<__m128i*>(depth + k);
        auto* identities = reinterpret_cast<__m128i*>(ids + k);
        _mm_storeu_si128(colours, select4(nearer, rgb, _mm_loadu_si128(colours)));
        _mm_storeu_si128(depths, select4(nearer, _mm_castps_si128(z), _mm_castps_si128(stored)));
        _mm_storeu_si128(identities, select4(nearer, id4, _mm_loadu_si128(identities)));
    };
    int k = 0;
    for (; k + 4 <= count; k += 4)
        shadeFour(k);
    if (k == count)
        return;
    // The last four pixels of the span again: those already shaded hold the very depth they
    // would get now, so only the rest are written.
    if (count >= 4)
        shadeFour(count - 4);
    else
        shadeOpaqueScalar(setup, row, k, count, depth, colour, ids, id);
}
#else
void shadeOpaque(const Setup& setup, const RowWeights& row, int count, float* depth, QRgb* colour,
                 qint32* ids, qint32 id)
{
    shadeOpaqueScalar(setup, row, 0, count, depth, colour, ids, id);
}
#endif

void fill(FrameBuffers& buffers, const Setup& setup, Edge e0, Edge e1, Edge e2, float invArea,
          int minX, int maxX, int minY, int maxY, const TriangleStyle& style)
{
    const float stepB = float(e1.stepX) * invArea;
    const float stepC = float(e2.stepX) * invArea;
    for (int y = minY; y <= maxY; ++y) {
        // The row's covered pixels come straight from the edge functions: no sample outside is
        // visited, and the fill below has no coverage test left.
        int first = 0;
        int last = maxX - minX;
        clipToEdge(e0.value, e0.stepX, first, last);
        clipToEdge(e1.value, e1.stepX, first, last);
        clipToEdge(e2.value, e2.stepX, first, last);
        if (first <= last) {
            const RowWeights row{float(e1.value + first * e1.stepX) * invArea,
                                 float(e2.value + first * e2.stepX) * invArea, stepB, stepC};
            const int start = buffers.offset(minX + first, y);
            const int count = last - first + 1;
            if (style.blended)
                shadeBlended(setup, row, count, buffers.depth() + start, buffers.colour() + start,
                             style.opacity);
            else
                shadeOpaque(setup, row, count, buffers.depth() + start, buffers.colour() + start,
                            buffers.ids() + start, style.id);
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
    fill(buffers, setup, e0, e1, e2, invArea, minX, maxX, minY, maxY, style);
}

} // namespace vellum::viewport
