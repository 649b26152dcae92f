#include "ClipVolume.h"

#include <algorithm>
#include <utility>

namespace vellum::viewport {

namespace {

constexpr float GuardBand = 8.0f; // in viewport widths and heights

} // namespace

ClipVertex lerp(const ClipVertex& a, const ClipVertex& b, float t)
{
    ClipVertex r;
    r.x = a.x + (b.x - a.x) * t;
    r.y = a.y + (b.y - a.y) * t;
    r.w = a.w + (b.w - a.w) * t;
    r.viewDepth = a.viewDepth + (b.viewDepth - a.viewDepth) * t;
    for (std::size_t i = 0; i < r.attributes.size(); ++i)
        r.attributes[i] = a.attributes[i] + (b.attributes[i] - a.attributes[i]) * t;
    return r;
}

ClipVolume::ClipVolume(float nearPlane, float farPlane) : m_near(nearPlane), m_far(farPlane) {}

float ClipVolume::distance(int plane, const ClipVertex& v) const
{
    switch (plane) {
    case 0:
        return v.viewDepth - m_near;
    case 1:
        return m_far - v.viewDepth;
    case 2:
        return GuardBand * v.w + v.x;
    case 3:
        return GuardBand * v.w - v.x;
    case 4:
        return GuardBand * v.w + v.y;
    default:
        return GuardBand * v.w - v.y;
    }
}

std::uint32_t ClipVolume::outcode(const ClipVertex& v) const
{
    std::uint32_t code = 0;
    for (int plane = 0; plane < PlaneCount; ++plane) {
        if (distance(plane, v) < 0.0f)
            code |= 1u << plane;
    }
    return code;
}

int ClipVolume::clipTriangle(Polygon& polygon) const
{
    int count = 3;
    Polygon scratch;
    Polygon* in = &polygon;
    Polygon* out = &scratch;
    for (int plane = 0; plane < PlaneCount && count > 0; ++plane) {
        int written = 0;
        for (int i = 0; i < count; ++i) {
            const ClipVertex& a = (*in)[i];
            const ClipVertex& b = (*in)[(i + 1) % count];
            const float da = distance(plane, a);
            const float db = distance(plane, b);
            if (da >= 0.0f)
                (*out)[written++] = a;
            if ((da >= 0.0f) != (db >= 0.0f))
                (*out)[written++] = lerp(a, b, da / (da - db));
        }
        count = written;
        std::swap(in, out);
    }
    if (in != &polygon)
        std::copy_n(in->begin(), count, polygon.begin());
    return count >= 3 ? count : 0;
}

bool ClipVolume::clipSegment(ClipVertex& a, ClipVertex& b) const
{
    for (int plane = 0; plane < PlaneCount; ++plane) {
        const float da = distance(plane, a);
        const float db = distance(plane, b);
        if (da < 0.0f && db < 0.0f)
            return false;
        if (da < 0.0f)
            a = lerp(a, b, da / (da - db));
        else if (db < 0.0f)
            b = lerp(a, b, da / (da - db));
    }
    return true;
}

} // namespace vellum::viewport
