#include "FakeScriptEngine.h"
#include "PanelHarness.h"

#include <gtest/gtest.h>

namespace vellum::testing {
namespace {

using ::testing::InSequence;

// At frame 30.
class SceneRefreshTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        h.bind();
        h.currentFrame = 30.0f;
        h.events.clear();
    }

    Nice<MockShape> addShape(bool refreshAlways, const QString& script)
    {
        auto shape = nice<MockShape>();
        ON_CALL(*shape, RefreshAlways()).WillByDefault(Return(refreshAlways));
        ON_CALL(*shape, Script()).WillByDefault(Return(script));
        ON_CALL(*shape, ParentGroup()).WillByDefault(Return(h.rootGroup));
        h.shapes.Add(shape);
        return shape;
    }
    outside::ShapePtr ofKind(int kind)
    {
        auto shape = nice<MockShape>();
        ON_CALL(*shape, Kind()).WillByDefault(Return(kind));
        return shape;
    }

    PanelHarness h;
};

TEST_F(SceneRefreshTest, OutsideAnimationModeOnlyAlwaysRefreshedShapesAndLookAtsAreTouched)
{
    h.mode = 0;
    auto always = addShape(true, QString());
    auto scripted = addShape(false, QStringLiteral("function AnimateShape(f, s) {}"));
    auto light = nice<MockLight>();
    h.lights.Add(light);
    auto watcher = h.addGroup(1);
    auto target = h.addGroup(2);
    ON_CALL(*watcher, LookAtID()).WillByDefault(Return(2));

    EXPECT_CALL(*h.scene, UpdateShape(outside::ShapePtr(always), outside::GroupPtr(h.rootGroup),
                                      true, false, true, true));
    EXPECT_CALL(*h.scene, UpdateShape(outside::ShapePtr(scripted), _, _, _, _, _)).Times(0);
    EXPECT_CALL(*scripted, ScriptEngine()).Times(0);
    EXPECT_CALL(*light, RestoreAnimationState()).Times(0);
    EXPECT_CALL(*light, ApplyFrame(_)).Times(0);
    EXPECT_CALL(*watcher, LookAt(outside::GroupPtr(target), 0));

    h.control->RefreshScene();
}

TEST_F(SceneRefreshTest, InAnimationModeScriptedShapesLightsAndCamerasFollowTheFrame)
{
    h.mode = 1;
    auto scripted = addShape(false, QStringLiteral("x"));
    auto engine = std::make_shared<FakeScriptEngine>();
    auto light = nice<MockLight>();
    auto camera = nice<MockCamera>();
    h.lights.Add(light);
    h.cameras.Add(camera);
    EXPECT_CALL(*h.scene,
                UpdateShape(pointsTo<outside::ShapePtr>(scripted), _, false, false, true, true));
    EXPECT_CALL(*scripted, ScriptEngine()).WillOnce(Return(engine));
    {
        InSequence order;
        EXPECT_CALL(*light, RestoreAnimationState());
        EXPECT_CALL(*light, ApplyFrame(30.0f));
        EXPECT_CALL(*camera, RestoreAnimationState());
        EXPECT_CALL(*camera, ApplyFrame(30.0f));
    }
    h.control->RefreshScene();
    EXPECT_EQ(engine->calls, QStringList(QStringLiteral("AnimateShape(30)")));
}

TEST_F(SceneRefreshTest, LookAtsSkipMissingTargetsAndGoOn)
{
    auto first = h.addGroup(1);
    auto lost = h.addGroup(3);
    auto overflowing = h.addGroup(5);
    auto last = h.addGroup(7);
    ON_CALL(*first, LookAtID()).WillByDefault(Return(7));
    ON_CALL(*lost, LookAtID()).WillByDefault(Return(99));
    ON_CALL(*overflowing, LookAtID()).WillByDefault(Return(2'000'000'000));
    ON_CALL(*last, LookAtID()).WillByDefault(Return(1));

    EXPECT_CALL(*first, LookAt(pointsTo<outside::GroupPtr>(last), 0));
    EXPECT_CALL(*lost, LookAt(_, _)).Times(0);
    EXPECT_CALL(*overflowing, LookAt(_, _)).Times(0);
    EXPECT_CALL(*last, LookAt(pointsTo<outside::GroupPtr>(first), 0));
    EXPECT_NO_THROW(h.control->ApplyLookAts());
    EXPECT_TRUE(h.events.isEmpty()) << "a missing target shows nothing";
}

TEST_F(SceneRefreshTest, RestoringAShapeStateDependsOnItsKind)
{
    outside::ShapePtr shape = ofKind(11); // an operation component
    h.control->RestoreShapeState(shape, false);
    EXPECT_TRUE(h.events.isEmpty());
    h.control->RestoreShapeState(shape, true);
    EXPECT_EQ(h.events, QStringList(QStringLiteral("RenderAllViews")));

    EXPECT_CALL(*h.render, KindCategory(_, _)).Times(0);
    shape = ofKind(80); // a camera
    h.control->RestoreShapeState(shape, true);
    ::testing::Mock::VerifyAndClearExpectations(h.render.get());

    EXPECT_CALL(*h.render, KindCategory(20, _));
    shape = ofKind(20);
    h.control->RestoreShapeState(shape, true);
    EXPECT_EQ(h.events.size(), 1);
}

} // namespace
} // namespace vellum::testing
