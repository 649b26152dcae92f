// Copying a group's key to the next or previous frame the way the panel does it: notify the
// scene at the source frame, then move the frame.
#include <algorithm>
#include <gtest/gtest.h>
#include <sg/SceneGraph.h>

using namespace vellum;
using namespace vellum::sg;

namespace {

bool samePayload(const outside::KeyRecord& a, const outside::KeyRecord& b)
{
    return a.payloadHead == b.payloadHead && std::equal(a.payload, a.payload + 5, b.payload);
}

bool nearlySame(const Pose& a, const Pose& b)
{
    return (a.position - b.position).length() < 1e-4f &&
           std::abs(QQuaternion::dotProduct(a.orientation, b.orientation)) > 1.0f - 1e-5f;
}

class KeyCopy : public ::testing::Test
{
protected:
    void SetUp() override { state->setMode(outside::ModeAnimation); }

    void key(const std::shared_ptr<Group>& g, float frame, const QVector3D& position, float yaw,
             bool segmentStart = false)
    {
        g->setPose(Pose{position, QQuaternion::fromEulerAngles(0, yaw, 0)});
        g->SetKeyFrame(segmentStart, frame);
    }

    // What the frame slider does: the state's frame first, then every group posed there.
    void moveTo(float frame)
    {
        state->setCurrentFrame(frame);
        for (const auto& g : scene->groupList())
            g->ApplyFrame(frame);
        state->setCurrentFrame(frame);
    }

    void copyKey(const std::shared_ptr<Group>& g, float from, float to)
    {
        moveTo(from);
        g->GetKeyFrames(0.0f, 9999.0f);
        scene->GroupChanged(g);
        moveTo(to);
    }

    SceneGraph graph;
    std::shared_ptr<ApplicationState> state = graph.applicationState();
    std::shared_ptr<Scene> scene = graph.scene();
    std::shared_ptr<Group> group = scene->addGroup(1, QStringLiteral("G"));
};

TEST_F(KeyCopy, ForwardAndBackwardCopyTheSourceKeyAndItsPose)
{
    key(group, 0, QVector3D(0, 0, 0), 0);
    key(group, 10, QVector3D(10, 2, -1), 40);
    key(group, 20, QVector3D(20, 0, 5), 90, true);
    const outside::KeyRecord at10 = *group->keyTrack().find(10);
    const outside::KeyRecord at20 = *group->keyTrack().find(20);

    moveTo(10);
    const Pose source10 = group->pose();
    copyKey(group, 10, 11);
    const auto* forward = group->keyTrack().find(11);
    ASSERT_NE(forward, nullptr);
    EXPECT_EQ(std::tuple(samePayload(*forward, at10), forward->startsSegment()),
              std::tuple(true, false));
    EXPECT_EQ(group->pose(), source10) << "the copy does not hold the pose at frame 11";

    moveTo(20);
    const Pose source20 = group->pose();
    copyKey(group, 20, 19);
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
    copyKey(group, 10, 20);
    EXPECT_EQ(std::tuple(track.count(), samePayload(*track.find(20), at10),
                         track.find(20)->startsSegment()),
              std::tuple(5, true, false));
}

TEST_F(KeyCopy, WaitsForTheFrameToChangeAndCopiesOnce)
{
    key(group, 0, QVector3D(0, 0, 0), 0);
    key(group, 4, QVector3D(4, 0, 0), 10);

    moveTo(4);
    scene->GroupChanged(group);
    moveTo(4);
    EXPECT_EQ(group->keyTrack().count(), 2) << "copied without the frame changing";

    moveTo(6);
    ASSERT_NE(group->keyTrack().find(6), nullptr);
    moveTo(7);
    EXPECT_EQ(std::tuple(group->keyTrack().find(7), group->keyTrack().count()),
              std::tuple(nullptr, 3))
        << "the copy was made twice";
}

TEST_F(KeyCopy, TheLastGroupChangedIsTheOneCopied)
{
    const auto other = scene->addGroup(2, QStringLiteral("Other"));
    key(group, 3, QVector3D(3, 0, 0), 0);
    key(other, 3, QVector3D(0, 3, 0), 0);

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

TEST_F(KeyCopy, WithoutAKeyAtTheSourceThePresentPoseIsCopied)
{
    key(group, 0, QVector3D(0, 0, 0), 0);
    key(group, 10, QVector3D(10, 0, 0), 80, true);

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

TEST_F(KeyCopy, AReplacedSceneDropsThePendingCopy)
{
    key(group, 2, QVector3D(2, 0, 0), 0);
    moveTo(2);
    scene->GroupChanged(group);
    graph.newScene();
    state->setCurrentFrame(3);
    // Nor does the copy come back with the scene (as when a host restores it).
    graph.setScene(scene);
    moveTo(4);
    EXPECT_EQ(group->keyTrack().count(), 1) << "no copy at 3 or 4";
}

// The scene is also told of a group whose script was edited; that notice must copy nothing.
TEST_F(KeyCopy, TheNoticeOfAnEditedScriptCopiesNoKey)
{
    key(group, 0.0f, QVector3D(0, 0, 0), 0.0f, true);
    key(group, 10.0f, QVector3D(5, 0, 0), 0.0f);
    moveTo(10.0f);
    outside::ScriptEditorPtr editor = graph.NewScriptEditor();
    outside::ScriptedPtr component = group;
    editor->ApplyScript(component, QStringLiteral("function AnimateGroup(frame, group) {}"), true,
                        0, 0);
    scene->GroupChanged(group);
    moveTo(20.0f);
    EXPECT_EQ(group->AnimationData().size(), 2);

    copyKey(group, 10.0f, 11.0f); // an ordinary copy afterwards still works
    EXPECT_EQ(group->AnimationData().size(), 3);
}

} // namespace
