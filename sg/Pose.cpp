#include "Pose.h"

namespace vellum::sg {

QMatrix4x4 Pose::matrix() const
{
    QMatrix4x4 result;
    result.translate(position);
    result.rotate(orientation);
    return result;
}

void Pose::writeTo(outside::KeyRecord& key) const
{
    const QVector3D euler = orientation.toEulerAngles();
    key.payloadHead = position.x();
    key.payload[0] = position.y();
    key.payload[1] = position.z();
    key.payload[2] = euler.x();
    key.payload[3] = euler.y();
    key.payload[4] = euler.z();
}

Pose Pose::readFrom(const outside::KeyRecord& key)
{
    return Pose{QVector3D(key.payloadHead, key.payload[0], key.payload[1]),
                QQuaternion::fromEulerAngles(key.payload[2], key.payload[3], key.payload[4])};
}

} // namespace vellum::sg
