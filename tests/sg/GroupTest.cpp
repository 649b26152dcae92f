// Groups: hierarchy, look-at and where a camera on a group stands; poses in the 32-byte key
// record; motion along the keys; keys copied to the next or previous frame the way the panel
// does it.
#include "ErrorNumber.h"

#include <QSignalSpy>
#include <algorithm>
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

bool samePayload(const outside::KeyRecord& a, const outside::KeyRecord& b)
{
    return a.payloadHead == b.payloadHead && std::equal(a.payload, a.payload + 5, b.payload);
}

bool nearlySame(const Pose& a, const Pose& b)
{
    return (a.position - b.position).length() < 1e-4f &&
           std::abs(QQuaternion::dotProduct(a.orientation, b.orientation)) > 1.0f - 1e-5f;
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

// One group "Mover" in animation mode.
class OneGroup : public ::testing::Test
{
protected:
    void SetUp() override { state->setMode(outside::ModeAnimation); }

    void key(float frame, const QVector3D& position, bool segmentStart = false, float yaw = 0.0f,
             const std::shared_ptr<Group>& keyed = nullptr)
    {
        const auto& g = keyed ? keyed : group;
        g->setPose(Pose{position, QQuaternion::fromEulerAngles(0.0f, yaw, 0.0f)});
        g->SetKeyFrame(segmentStart, frame);
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

    // What the frame slider does: the state's frame first, then every group posed there.
    void moveTo(float frame)
    {
        state->setCurrentFrame(frame);
        for (const auto& g : scene->groupList())
            g->ApplyFrame(frame);
        state->setCurrentFrame(frame);
    }

    // A key copied the way the panel does it: the scene notified at the source frame, then the
    // frame moved.
    void copyKey(float from, float to)
    {
        moveTo(from);
        group->GetKeyFrames(0.0f, 9999.0f);
        scene->GroupChanged(group);
        moveTo(to);
    }

    static constexpr float step = 0.01f;
    SceneGraph graph;
    std::shared_ptr<ApplicationState> state = graph.applicationState();
    std::shared_ptr<Scene> scene = graph.scene();
    std::shared_ptr<Group> group = scene->addGroup(1, QStringLiteral("Mover"));
};

#define expectNear(actual, expected, tolerance)                                                    \
    EXPECT_LE(((actual) - (expected)).length(), tolerance)                                         \
        << (actual).x() << "," << (actual).y() << "," << (actual).z()

TEST_F(OneGroup, PassesExactlyThroughEveryKeyAndIsSmoothBetween)
{
    // Unevenly spaced keys: smoothness must hold in time, not only in shape.
    const std::pair<float, QVector3D> keys[] = {{0, QVector3D(0, 0, 0)},
                                                {10, QVector3D(10, 5, 0)},
                                                {25, QVector3D(20, -5, 3)},
                                                {30, QVector3D(22, 0, 8)}};
    for (const auto& [frame, position] : keys)
        key(frame, position, frame == 0);
    for (const auto& [frame, position] : keys) {
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

TEST_F(OneGroup, SegmentStartMakesACornerThatAPlainKeyDoesNot)
{
    key(0, QVector3D(0, 0, 0), true);
    key(10, QVector3D(10, 0, 0), true);
    key(20, QVector3D(10, 10, 0));

    expectNear(velocityBefore(10), QVector3D(1, 0, 0), 0.02f);
    expectNear(velocityAfter(10), QVector3D(0, 1, 0), 0.02f);

    key(10, QVector3D(10, 0, 0), false);
    expectNear(velocityBefore(10), velocityAfter(10), 0.02f);
}

TEST_F(OneGroup, FractionalFramesAndHoldsOutsideTheKeys)
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

TEST_F(OneGroup, ClosedLoopRepeatsWithTangentsAcrossTheSeamAndClosingRewritesTheLastKey)
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

    // Closing brings the last key back to the first pose, without a jump where the loop wraps.
    group->setLoopMode(outside::LoopOpen);
    key(40, QVector3D(5, 5, 0));
    group->setLoopMode(outside::LoopClosed);
    expectNear(at(40), QVector3D(0, 0, 0), 1e-6f);
    EXPECT_FALSE(group->keyTrack().keys().back().startsSegment()) << "the flag is the key's own";
    expectNear(at(40.01f), at(40.0f), 0.05f);
    // Only closing rewrites it, not a loop closed already.
    key(40, QVector3D(7, 7, 7));
    group->setLoopMode(outside::LoopClosed);
    expectNear(at(40), QVector3D(7, 7, 7), 1e-6f);

    EXPECT_EQ(errorNumberOf([&] { group->setLoopMode(1); }), ErrorNumber::InvalidPropertyValue);
    EXPECT_EQ(group->LoopMode(), outside::LoopClosed);
}

TEST_F(OneGroup, SetKeyFrameReplacesTheKeyAtThatFrameKeepsFramesInOrderAndResetDropsThem)
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

    // A reset keeps the pose of its frame and drops the keys and the loop.
    group->setLoopMode(outside::LoopClosed);
    group->ResetAnimation(20.0f);
    EXPECT_EQ(std::tuple(group->AnimationData().size(), group->LoopMode()),
              std::tuple(0, outside::LoopOpen));
    expectNear(group->position(), QVector3D(7, 0, 0), 1e-4f);
}

TEST_F(OneGroup, KeyCopyForwardAndBackwardCopyTheSourceKeyAndItsPose)
{
    key(0, QVector3D(0, 0, 0));
    key(10, QVector3D(10, 2, -1), false, 40);
    key(20, QVector3D(20, 0, 5), true, 90);
    const outside::KeyRecord at10 = *group->keyTrack().find(10);
    const outside::KeyRecord at20 = *group->keyTrack().find(20);

    moveTo(10);
    const Pose source10 = group->pose();
    copyKey(10, 11);
    const auto* forward = group->keyTrack().find(11);
    ASSERT_NE(forward, nullptr);
    EXPECT_EQ(std::tuple(samePayload(*forward, at10), forward->startsSegment()),
              std::tuple(true, false));
    EXPECT_EQ(group->pose(), source10) << "the copy does not hold the pose at frame 11";

    moveTo(20);
    const Pose source20 = group->pose();
    copyKey(20, 19);
    const auto* backward = group->keyTrack().find(19);
    ASSERT_NE(backward, nullptr);
    EXPECT_EQ(std::tuple(samePayload(*backward, at20), backward->startsSegment(), group->pose()),
              std::tuple(true, true, source20));

    // The sources stay where they were, and nothing else was added.
    const auto& track = group->keyTrack();
    EXPECT_EQ(std::tuple(track.count(), samePayload(*track.find(10), at10),
                         samePayload(*track.find(20), at20)),
              std::tuple(5, true, true));

    // A key at the target is replaced, flag and all.
    copyKey(10, 20);
    EXPECT_EQ(std::tuple(track.count(), samePayload(*track.find(20), at10),
                         track.find(20)->startsSegment()),
              std::tuple(5, true, false));
}

TEST_F(OneGroup, KeyCopyWaitsForTheFrameToChangeCopiesOnceAndOnlyWhatIsStillPending)
{
    key(0, QVector3D(0, 0, 0));
    key(4, QVector3D(4, 0, 0), false, 10);

    moveTo(4);
    QSignalSpy changes(scene.get(), &Scene::groupChanged);
    QSignalSpy redraws(scene.get(), &Scene::changed);
    scene->GroupChanged(group);
    EXPECT_EQ(std::tuple(changes.size(), redraws.size()), std::tuple(1, 1));
    moveTo(4);
    EXPECT_EQ(group->keyTrack().count(), 2) << "copied without the frame changing";
    moveTo(6);
    ASSERT_NE(group->keyTrack().find(6), nullptr);
    moveTo(7);
    EXPECT_EQ(std::tuple(group->keyTrack().find(7), group->keyTrack().count()),
              std::tuple(nullptr, 3))
        << "the copy was made twice";

    // A replaced scene drops the pending copy, nor does it come back with the scene (as when a
    // host restores it).
    scene->GroupChanged(group);
    graph.newScene();
    state->setCurrentFrame(8);
    graph.setScene(scene);
    moveTo(9);
    EXPECT_EQ(group->keyTrack().count(), 3) << "a copy at 8 or 9";

    // The scene is also told of a group whose script was edited; that notice copies nothing.
    outside::ScriptEditorPtr editor = graph.NewScriptEditor();
    outside::ScriptedPtr component = group;
    editor->ApplyScript(component, QStringLiteral("function AnimateGroup(frame, group) {}"), true,
                        0, 0);
    scene->GroupChanged(group);
    moveTo(20);
    EXPECT_EQ(group->keyTrack().count(), 3);
    copyKey(4, 5); // an ordinary copy afterwards still works
    EXPECT_EQ(group->keyTrack().count(), 4);
}

TEST_F(OneGroup, KeyCopyTheLastGroupChangedIsTheOneCopied)
{
    const auto other = scene->addGroup(2, QStringLiteral("Other"));
    key(3, QVector3D(3, 0, 0));
    key(3, QVector3D(0, 3, 0), false, 0, other);

    moveTo(3);
    scene->GroupChanged(group);
    scene->GroupChanged(other);
    moveTo(4);
    EXPECT_EQ(group->keyTrack().find(4), nullptr);
    ASSERT_NE(other->keyTrack().find(4), nullptr);
    EXPECT_EQ(other->keyTrack().find(4)->payload[0], 3.0f);

    // Of the same group, the pose it had when notified last.
    const auto unkeyed = scene->addGroup(3, QStringLiteral("Unkeyed"));
    unkeyed->setPosition(QVector3D(1, 0, 0));
    scene->GroupChanged(unkeyed);
    unkeyed->setPosition(QVector3D(2, 0, 0));
    scene->GroupChanged(unkeyed);
    moveTo(5);
    ASSERT_NE(unkeyed->keyTrack().find(5), nullptr);
    EXPECT_EQ(unkeyed->keyTrack().find(5)->payloadHead, 2.0f);
}

TEST_F(OneGroup, KeyCopyWithoutAKeyAtTheSourceThePresentPoseIsCopied)
{
    key(0, QVector3D(0, 0, 0));
    key(10, QVector3D(10, 0, 0), true, 80);

    // Posed by hand between the keys: what is on screen is what gets copied.
    moveTo(5);
    group->setPose(Pose{QVector3D(3, 4, 5), QQuaternion::fromEulerAngles(20, 35, -10)});
    const Pose edited = group->pose();
    scene->GroupChanged(group);
    moveTo(5.5f);

    const auto* copied = group->keyTrack().find(5.5f);
    ASSERT_NE(copied, nullptr);
    EXPECT_EQ(std::tuple(copied->startsSegment(), group->keyTrack().find(5),
                         nearlySame(group->pose(), edited)),
              std::tuple(false, nullptr, true));
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
