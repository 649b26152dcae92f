// How poses travel in the 32-byte key record.
#include <cstring>
#include <gtest/gtest.h>
#include <sg/Pose.h>

using namespace vellum;
using namespace vellum::sg;

namespace {

struct PoseRow
{
    const char* name;
    QVector3D position;
    QVector3D eulerDegrees; // pitch, yaw, roll
};

class PosePayload : public ::testing::TestWithParam<PoseRow>
{};

TEST_P(PosePayload, SurvivesTheRecord)
{
    const PoseRow& row = GetParam();
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
    EXPECT_EQ(frame, 12.5f);
    EXPECT_EQ(flag, -1);

    const Pose back = Pose::readFrom(key);
    EXPECT_EQ(back.position, pose.position);
    for (const QVector3D axis : {QVector3D(1, 0, 0), QVector3D(0, 1, 0), QVector3D(0, 0, 1)}) {
        const QVector3D expected = pose.orientation.rotatedVector(axis);
        const QVector3D actual = back.orientation.rotatedVector(axis);
        EXPECT_LT((expected - actual).length(), 1e-4f)
            << "axis " << axis.x() << axis.y() << axis.z();
    }
}

INSTANTIATE_TEST_SUITE_P(Poses, PosePayload,
                         ::testing::Values(PoseRow{"Rest", QVector3D(), QVector3D()},
                                           PoseRow{"Moved", QVector3D(1.5f, -2, 1e4f), QVector3D()},
                                           PoseRow{"Turned", QVector3D(0, 1, 0),
                                                   QVector3D(30, -120, 45)},
                                           PoseRow{"UpsideDown", QVector3D(), QVector3D(0, 0, 180)},
                                           PoseRow{"StraightUp", QVector3D(), QVector3D(90, 0, 0)}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
