#pragma once

#include "KeyTrack.h"

#include <QQuaternion>
#include <vector>

namespace vellum::sg {

// Catmull-Rom with its knots at the key frames: the tangent at a key is the slope between its
// neighbours in time, so velocity stays continuous inside a path even when keys are unevenly
// spaced. Where a path starts or ends the tangent is the slope of the span itself.
template <typename Value, typename Read>
Value interpolateCatmullRom(const KeyTrack& track, const SplineSpan& span, Read read)
{
    const auto& keys = track.keys();
    const Value from = read(keys[span.from]);
    if (span.isHeld())
        return from;
    const Value to = read(keys[span.to]);
    const float length = span.frameTo - span.frameFrom;
    const Value chord = (to - from) * (1.0f / length);
    const Value tangentFrom = span.before < 0 ? chord
                                              : (to - read(keys[span.before])) *
                                                    (1.0f / (span.frameTo - span.frameBefore));
    const Value tangentTo = span.after < 0 ? chord
                                           : (read(keys[span.after]) - from) *
                                                 (1.0f / (span.frameAfter - span.frameFrom));

    const float u = span.u;
    const float u2 = u * u;
    const float u3 = u2 * u;
    const float h00 = 2.0f * u3 - 3.0f * u2 + 1.0f;
    const float h10 = u3 - 2.0f * u2 + u;
    const float h01 = -2.0f * u3 + 3.0f * u2;
    const float h11 = u3 - u2;
    return from * h00 + tangentFrom * (h10 * length) + to * h01 + tangentTo * (h11 * length);
}

// Orientations turn along the shortest arc between neighbouring keys.
inline QQuaternion interpolateSlerp(const std::vector<QQuaternion>& orientations,
                                    const SplineSpan& span)
{
    if (span.isHeld())
        return orientations[size_t(span.from)];
    return QQuaternion::slerp(orientations[size_t(span.from)], orientations[size_t(span.to)],
                              span.u);
}

} // namespace vellum::sg
