// How poses travel in the 32-byte key record.
#include <cstring>
#include <gtest/gtest.h>
#include <sg/Pose.h>

using namespace vellum;
using namespace vellum::sg;

TEST(PosePayload, SurvivesTheRecord)
{
    const struct
    {
        QVector3D position;
        QVector3D eulerDegrees; // pitch, yaw, roll
    } rows[] = {{QVector3D(), QVector3D()},
                {QVector3D(1.5f, -2, 1e4f), QVector3D()},
                {QVector3D(0, 1, 0), QVector3D(30, -120, 45)},
                {QVector3D(), QVector3D(0, 0, 180)}, // upside down
                {QVector3D(), QVector3D(90, 0, 0)}}; // straight up
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message() << row.eulerDegrees.x() << "," << row.eulerDegrees.y()
                                          << "," << row.eulerDegrees.z());
        const Pose pose{row.position, QQuaternion::fromEulerAngles(row.eulerDegrees)};
        outside::KeyRecord key;
        key.frame = 12.5f;
        key.setStartsSegment(true);
        pose.writeTo(key);
        // The panel reads frame and flag by their byte offsets only.
        float frame = 0;
        std::int16_t flag = 0;
        std::memcpy(&frame, reinterpret_cast<const char*>(&key) + 4, sizeof frame);
        std::memcpy(&flag, reinterpret_cast<const char*>(&key) + 28, sizeof flag);
        EXPECT_EQ(std::tuple(frame, flag), std::tuple(12.5f, std::int16_t(-1)));

        const Pose back = Pose::readFrom(key);
        EXPECT_EQ(back.position, pose.position);
        for (const QVector3D axis : {QVector3D(1, 0, 0), QVector3D(0, 1, 0), QVector3D(0, 0, 1)})
            EXPECT_LT((pose.orientation.rotatedVector(axis) - back.orientation.rotatedVector(axis))
                          .length(),
                      1e-4f)
                << "axis " << axis.x() << axis.y() << axis.z();
    }
}
