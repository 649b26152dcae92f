#include "DemoScene.h"

#include <QSet>
#include <gtest/gtest.h>
#include <sg/SceneGraph.h>

using namespace vellum;
using namespace vellum::studio;

namespace {

bool nearlyEqual(const QVector3D& a, const QVector3D& b)
{
    return (a - b).length() < 1e-4f;
}

// What the demo is for: every shape kind, moving groups with a corner, a closed loop, a child, a
// look-at, a changing light and camera, and a pulse on the ball; all within its length.
TEST(DemoScene, ShowsEveryKindOfAnimationWithinItsLength)
{
    const auto scene = createDemoScene();
    QSet<int> kinds;
    for (const auto& shape : scene->shapeList())
        if (shape->isGeometric())
            kinds.insert(shape->kind());
    EXPECT_EQ(kinds, (QSet<int>{sg::ShapeKind::Box, sg::ShapeKind::Sphere, sg::ShapeKind::Cylinder,
                                sg::ShapeKind::Plane}));

    int animated = 0;
    for (const auto& group : scene->groupList()) {
        const auto& keys = group->keyTrack().keys();
        if (keys.size() < 2)
            continue;
        ++animated;
        // Keys that all hold the same pose would animate nothing.
        EXPECT_FALSE(group->poseAt(keys.front().frame) == group->poseAt(keys.back().frame) &&
                     group->poseAt(keys.front().frame) == group->poseAt(keys[1].frame))
            << qPrintable(group->name());
        EXPECT_LE(keys.back().frame, float(demo::Keys));
    }
    EXPECT_GE(animated, 3);

    const auto& hopper = scene->group(demo::HopperGroup)->keyTrack().keys();
    EXPECT_TRUE(std::any_of(hopper.begin() + 1, hopper.end() - 1, [](const auto& key) {
        return key.startsSegment();
    })) << "no sub-path starts inside the hopper's path";
    // The loop comes back where it started, so repeating it shows no jump.
    const auto orbiter = scene->group(demo::OrbiterGroup);
    const auto& loop = orbiter->keyTrack().keys();
    EXPECT_EQ(orbiter->LoopMode(), outside::LoopClosed);
    EXPECT_TRUE(nearlyEqual(orbiter->poseAt(loop.front().frame).position,
                            orbiter->poseAt(loop.back().frame).position));
    EXPECT_EQ(scene->group(demo::SpinnerGroup)->parent(), orbiter);
    EXPECT_EQ(scene->group(demo::WatcherGroup)->LookAtID(), demo::OrbiterGroup);

    const auto sun = scene->lightList().first();
    sun->ApplyFrame(0.0f);
    const auto morning = sun->state();
    sun->ApplyFrame(50.0f);
    EXPECT_NE(sun->state().colour, morning.colour);
    EXPECT_NE(sun->state().intensity, morning.intensity);
    const auto camera = scene->animationCamera();
    const auto rig = scene->group(demo::CameraGroup);
    EXPECT_EQ(camera->parentGroup(), rig);
    EXPECT_FALSE(nearlyEqual(rig->worldPoseAt(0.0f).position, rig->worldPoseAt(100.0f).position));
    EXPECT_NE(camera->FieldOfView(0.0f), camera->FieldOfView(60.0f));

    const auto swell = scene->operation(demo::SwellOperation);
    const auto blush = scene->operation(demo::BlushOperation);
    ASSERT_EQ(scene->operationsOf(*swell->component()), (QList{swell, blush}));
    EXPECT_EQ(swell->component()->parentGroup(), scene->group(demo::PulseGroup));
    const auto ball = swell->target();
    ASSERT_TRUE(ball && ball->isVisible() && ball->isGeometric());
    for (const auto& operation : {swell, blush})
        EXPECT_LE(operation->keyTrack().keys().back().frame, float(demo::Keys));
    // The scene opens at rest and the pulse shows once it plays.
    EXPECT_FALSE(scene->operationEffect(*ball).changesShape());
    EXPECT_EQ(scene->operationEffect(*ball).colour, ball->colour());
    EXPECT_NE(swell->amountAt(25.0f), swell->amountAt(0.0f));
    EXPECT_NE(blush->amountAt(50.0f), blush->amountAt(0.0f));
}

TEST(DemoScene, LoadsWithItsAnimationSettings)
{
    sg::SceneGraph graph;
    graph.applicationState()->setCurrentFrame(12.0f);
    graph.applicationState()->setModified(true);
    loadDemoScene(graph);
    const auto state = graph.applicationState();
    EXPECT_EQ(std::tuple(state->AnimationSettings().Keys, state->AnimationSettings().KeysPerSecond,
                         state->CurrentFrame(), state->Modified()),
              std::tuple(100, 10.0f, 0.0f, false));
    EXPECT_NE(graph.scene()->group(demo::HopperGroup), nullptr);
}

} // namespace
