// Groups: hierarchy, look-at and where a camera on a group stands; poses in the 32-byte key
// record; motion along the keys.
#include "ErrorNumber.h"

#include <cstring>
#include <gtest/gtest.h>
#include <sg/SceneGraph.h>

using namespace vellum;
using namespace vellum::sg;
using vellum::testing::errorNumberOf;

namespace {

QVector3D toQt(const outside::Vector3& v)
{
    return QVector3D(v.x, v.y, v.z);
}

class Hierarchy : public ::testing::Test
{
protected:
    void SetUp() override
    {
        parent = scene->addGroup(1, QStringLiteral("Parent"));
        child = scene->addGroup(2, QStringLiteral("Child"), parent);
        target = scene->addGroup(3, QStringLiteral("Target"));
    }

    SceneGraph graph;
    std::shared_ptr<Scene> scene = graph.scene();
    std::shared_ptr<Group> parent, child, target;
};

TEST_F(Hierarchy, WorldTransformFollowsEveryAncestorMoveAndCyclesAreRefused)
{
    parent->setPose(Pose{QVector3D(10, 0, 0), QQuaternion::fromEulerAngles(0, 90, 0)});
    child->setPosition(QVector3D(0, 0, -5));
    EXPECT_LT((child->worldPosition() - QVector3D(5, 0, 0)).length(), 1e-4f);

    // The child's cached transform must not outlive a move of its parent.
    parent->setPosition(QVector3D(0, 3, 0));
    EXPECT_LT((child->worldPosition() - QVector3D(-5, 3, 0)).length(), 1e-4f);

    parent->setPosition(QVector3D(0, 7, 0));
    parent->RefreshTree(true);
    EXPECT_LT((child->worldTransform().map(QVector3D()) - QVector3D(-5, 7, 0)).length(), 1e-4f);

    EXPECT_THROW(child->addChild(parent), Error) << "a group cannot become its own ancestor";
    EXPECT_EQ(parent->parent(), scene->rootGroup());
    EXPECT_EQ(child->parent(), parent);
}

TEST_F(Hierarchy, LookAtFacesTheTargetWithTheUpAxisKeptUp)
{
    target->setPosition(QVector3D(10, 0, 0));
    parent->setOrientation(QQuaternion::fromEulerAngles(0, 90, 0));
    child->setPosition(QVector3D(0, 0, 0));

    scene->Groups().Item(QStringLiteral("210"))->LookAt(target, 0);
    EXPECT_EQ(child->LookAtID(), 3);

    outside::Vector3 position, direction, up;
    child->ViewPosition(nullptr, -1.0f, position);
    child->ViewOrientation(nullptr, -1.0f, direction, up);
    EXPECT_LT((toQt(direction) - QVector3D(1, 0, 0)).length(), 1e-4f);
    EXPECT_LT((toQt(up) - QVector3D(0, 1, 0)).length(), 1e-4f);

    target->setPosition(QVector3D(0, 5, -5));
    child->LookAt(target, 0);
    child->ViewOrientation(nullptr, -1.0f, direction, up);
    EXPECT_LT((toQt(direction) - QVector3D(0, 1, -1).normalized()).length(), 1e-4f);
    EXPECT_GT(up.y, 0.0f);
    EXPECT_NEAR(QVector3D::dotProduct(toQt(direction), toQt(up)), 0.0f, 1e-4f);
}

TEST_F(Hierarchy, ViewAtAnotherFrameLeavesTheGroupWhereItIs)
{
    parent->setPosition(QVector3D(0, 0, 0));
    parent->SetKeyFrame(true, 0);
    parent->setPosition(QVector3D(0, 0, -20));
    parent->SetKeyFrame(false, 10);
    parent->ApplyFrame(0);
    child->setPosition(QVector3D(1, 0, 0));

    outside::Vector3 position;
    child->ViewPosition(nullptr, 5.0f, position);
    EXPECT_LT((toQt(position) - QVector3D(1, 0, -10)).length(), 1e-4f);
    child->ViewPosition(nullptr, -1.0f, position);
    EXPECT_LT((toQt(position) - QVector3D(1, 0, 0)).length(), 1e-4f);
    EXPECT_EQ(parent->position(), QVector3D(0, 0, 0));
}

class GroupMotion : public ::testing::Test
{
protected:
    void SetUp() override { group = graph.scene()->addGroup(1, QStringLiteral("Mover")); }

    void key(float frame, const QVector3D& position, bool segmentStart = false, float yaw = 0.0f)
    {
        group->setPose(Pose{position, QQuaternion::fromEulerAngles(0.0f, yaw, 0.0f)});
        group->SetKeyFrame(segmentStart, frame);
    }

    QVector3D at(float frame)
    {
        group->ApplyFrame(frame);
        return group->position();
    }

    // One-sided velocities around a frame, in units per frame.
    QVector3D velocityBefore(float frame) { return (at(frame) - at(frame - step)) / step; }
    QVector3D velocityAfter(float frame) { return (at(frame + step) - at(frame)) / step; }
    QList<float> frames() const
    {
        QList<float> all;
        for (const auto& key : group->AnimationData())
            all << key.frame;
        return all;
    }

    static constexpr float step = 0.01f;
    SceneGraph graph;
    std::shared_ptr<Group> group;
};

#define expectNear(actual, expected, tolerance)                                                    \
    EXPECT_LE(((actual) - (expected)).length(), tolerance)                                         \
        << (actual).x() << "," << (actual).y() << "," << (actual).z()

TEST_F(GroupMotion, PassesExactlyThroughEveryKeyAndIsSmoothBetween)
{
    // Unevenly spaced keys: smoothness must hold in time, not only in shape.
    key(0, QVector3D(0, 0, 0), true);
    key(10, QVector3D(10, 5, 0));
    key(25, QVector3D(20, -5, 3));
    key(30, QVector3D(22, 0, 8));

    for (const auto& [frame, position] :
         {std::pair(0.0f, QVector3D(0, 0, 0)), std::pair(10.0f, QVector3D(10, 5, 0)),
          std::pair(25.0f, QVector3D(20, -5, 3)), std::pair(30.0f, QVector3D(22, 0, 8))}) {
        SCOPED_TRACE(frame);
        expectNear(at(frame), position, 1e-4f);
        if (frame == 10.0f || frame == 25.0f) {
            expectNear(velocityBefore(frame), velocityAfter(frame), 0.05f);
        }
    }
    // A curve, not a polyline: between keys it leaves the chord.
    const QVector3D midway = at(17.5f);
    const QVector3D onChord = (QVector3D(10, 5, 0) + QVector3D(20, -5, 3)) / 2.0f;
    EXPECT_GT((midway - onChord).length(), 0.1f);
}

TEST_F(GroupMotion, SegmentStartMakesACornerThatAPlainKeyDoesNot)
{
    key(0, QVector3D(0, 0, 0), true);
    key(10, QVector3D(10, 0, 0), true);
    key(20, QVector3D(10, 10, 0));

    expectNear(velocityBefore(10), QVector3D(1, 0, 0), 0.02f);
    expectNear(velocityAfter(10), QVector3D(0, 1, 0), 0.02f);

    key(10, QVector3D(10, 0, 0), false);
    expectNear(velocityBefore(10), velocityAfter(10), 0.02f);
}

TEST_F(GroupMotion, FractionalFramesAndHoldsOutsideTheKeys)
{
    group->setPose(Pose{QVector3D(1, 2, 3), QQuaternion::fromEulerAngles(10, 20, 30)});
    const Pose before = group->pose();
    group->ApplyFrame(42.5f);
    EXPECT_EQ(group->pose(), before) << "no keys leave the pose";

    key(5, QVector3D(0, 0, 0), true, 0.0f);
    key(15, QVector3D(10, 0, 0), false, 90.0f);

    // Two keys make a straight, even path.
    expectNear(at(7.5f), QVector3D(2.5f, 0, 0), 1e-4f);
    expectNear(at(12.25f), QVector3D(7.25f, 0, 0), 1e-4f);
    group->ApplyFrame(10.0f);
    EXPECT_NEAR(group->orientation().toEulerAngles().y(), 45.0f, 0.01f);

    for (const float frame : {0.0f, 4.9f, 15.1f, 1000.0f})
        expectNear(at(frame), QVector3D(frame < 5 ? 0 : 10, 0, 0), 1e-6f);
    EXPECT_NEAR(group->orientation().toEulerAngles().y(), 90.0f, 0.01f);
}

TEST_F(GroupMotion, ClosedLoopRepeatsWithTangentsAcrossTheSeam)
{
    key(0, QVector3D(0, 0, 0), true);
    key(10, QVector3D(10, 0, 0));
    key(20, QVector3D(10, 10, 0));
    key(30, QVector3D(0, 0, 0));

    expectNear(at(35), QVector3D(0, 0, 0), 1e-6f);

    group->setLoopMode(outside::LoopClosed);
    for (float frame : {5.0f, 12.5f, 29.0f}) {
        SCOPED_TRACE(frame);
        const QVector3D first = at(frame);
        expectNear(at(frame + 30), first, 1e-3f);
        expectNear(at(frame + 90), first, 1e-3f);
    }
    // Leaving the last key the path goes on as it left the first key.
    expectNear(velocityBefore(30), velocityAfter(30), 0.05f);
    expectNear(velocityAfter(30), velocityAfter(0), 0.05f);
    // Before the first key a loop still holds the first pose.
    expectNear(at(-3), QVector3D(0, 0, 0), 1e-6f);
}

TEST_F(GroupMotion, ClosingALoopBringsItsLastKeyBackToTheFirstPose)
{
    key(0, QVector3D(1, 2, 3), true);
    key(10, QVector3D(10, 0, 0));
    key(20, QVector3D(5, 5, 0));
    group->setLoopMode(outside::LoopClosed);
    expectNear(at(20), QVector3D(1, 2, 3), 1e-6f);
    EXPECT_FALSE(group->keyTrack().keys().back().startsSegment()) << "the flag is the key's own";
    // No jump where the loop wraps.
    expectNear(at(20.01f), at(20.0f), 0.05f);

    key(20, QVector3D(7, 7, 7));
    group->setLoopMode(outside::LoopClosed);
    // Only closing rewrites it.
    expectNear(at(20), QVector3D(7, 7, 7), 1e-6f);

    EXPECT_EQ(errorNumberOf([&] { group->setLoopMode(1); }), ErrorNumber::InvalidPropertyValue);
    EXPECT_EQ(group->LoopMode(), outside::LoopClosed);
}

TEST_F(GroupMotion, SetKeyFrameReplacesTheKeyAtThatFrameAndKeepsFramesInOrder)
{
    key(20, QVector3D(2, 0, 0));
    key(5, QVector3D(0.5f, 0, 0), true);
    key(10, QVector3D(1, 0, 0));
    key(10, QVector3D(7, 0, 0), true);

    EXPECT_EQ(frames(), (QList<float>{5, 10, 20}));
    EXPECT_EQ(
        std::tuple(group->AnimationData()[1].payloadHead, group->AnimationData()[1].segmentStart),
        std::tuple(7.0f, -1));

    // -1 is the application's current frame.
    graph.applicationState()->setCurrentFrame(12.0f);
    key(-1, QVector3D(3, 0, 0));
    ASSERT_EQ(group->GetKeyFrames(11.0f, 13.0f).size(), 1);
    EXPECT_EQ(group->GetKeyFrames(11.0f, 13.0f).first().frame, 12.0f);

    group->RemoveKeyFrame(-1);
    group->RemoveKeyFrame(5.0f);
    EXPECT_EQ(frames(), (QList<float>{10, 20}));
}

TEST_F(GroupMotion, ResetAnimationKeepsThePoseOfThatFrameAndDropsTheKeys)
{
    key(0, QVector3D(0, 0, 0), true);
    key(10, QVector3D(10, 0, 0));
    key(20, QVector3D(0, 0, 0));
    group->setLoopMode(outside::LoopClosed);
    group->ApplyFrame(0);

    group->ResetAnimation(10.0f);
    EXPECT_EQ(std::tuple(group->AnimationData().size(), group->LoopMode()),
              std::tuple(0, outside::LoopOpen));
    expectNear(group->position(), QVector3D(10, 0, 0), 1e-4f);
}

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

} // namespace
