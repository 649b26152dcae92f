#include "DemoScene.h"

#include <gtest/gtest.h>
#include <sg/SceneGraph.h>

using namespace vellum;
using namespace vellum::studio;

namespace {

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
