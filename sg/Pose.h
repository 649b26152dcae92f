#pragma once

#include "VellumSGExport.h"

#include <QMatrix4x4>
#include <QQuaternion>
#include <QVector3D>
#include <outside/KeyRecord.h>

namespace vellum::sg {

// Where a group stands in its parent's frame.
struct VELLUMSG_EXPORT Pose
{
    QVector3D position;
    QQuaternion orientation; // unit length

    QMatrix4x4 matrix() const;

    // Key payload of a group: payloadHead = x, payload[0] = y, payload[1] = z, then the
    // orientation as Euler degrees applied roll, pitch, yaw: payload[2] = pitch (about X),
    // payload[3] = yaw (about Y), payload[4] = roll (about Z).
    void writeTo(outside::KeyRecord& key) const;
    static Pose readFrom(const outside::KeyRecord& key);

    friend bool operator==(const Pose&, const Pose&) = default;
};

} // namespace vellum::sg
