// Selection, look-ups, bindings and the script seams of the scene graph.
#include "ErrorNumber.h"

#include <gtest/gtest.h>
#include <sg/RenderUtility.h>
#include <sg/SceneGraph.h>

using namespace vellum;
using namespace vellum::sg;
using vellum::testing::errorNumberOf;

namespace {

class Graph : public ::testing::Test
{
protected:
    SceneGraph graph;
    std::shared_ptr<Scene> scene = graph.scene();
    std::shared_ptr<Group> group = scene->addGroup(1, QStringLiteral("G"));
};

TEST_F(Graph, EachDeviceKeepsItsOwnSelection)
{
    const auto box = scene->addShape(ShapeKind::Box, QStringLiteral("Box"), group);
    const auto ball = scene->addShape(ShapeKind::Sphere, QStringLiteral("Ball"), group);

    graph.select(1, box);
    graph.addToSelection(1, ball);
    graph.addToSelection(1, box); // already there
    graph.addToSelection(2, ball, true);

    EXPECT_EQ(std::tuple(graph.SelectedCount(1), graph.SelectedItem(1, 0), graph.SelectedItem(1, 1),
                         graph.SecondarySelectionCount(1)),
              std::tuple(2, box, ball, 0));
    EXPECT_EQ(std::tuple(graph.SelectedCount(2), graph.SecondarySelectionCount(2)),
              std::tuple(0, 1));
    EXPECT_EQ(errorNumberOf([&] { graph.SelectedItem(2, 0); }), ErrorNumber::SubscriptOutOfRange);

    graph.clearSelection(1);
    EXPECT_EQ(std::tuple(graph.SelectedCount(1), graph.SecondarySelectionCount(2)),
              std::tuple(0, 1));

    graph.select(3, ball);
    graph.newScene();
    EXPECT_EQ(graph.SelectedCount(3), 0) << "selection outlived its scene";
}

TEST_F(Graph, LightsAndTheCameraAreSelectedThroughTheirMarkers)
{
    const auto lamp = scene->addLight(2, QStringLiteral("Lamp"));
    graph.selectLight(1, lamp);
    const auto marker = graph.SelectedItem(1, 0);
    std::int32_t category = 0;
    graph.CreateRenderUtility()->KindCategory(marker->Kind(), category);
    EXPECT_EQ(std::tuple(category, marker->LightLink(), graph.LightByLink(marker->LightLink()),
                         scene->Lights().Item(QStringLiteral("260"))),
              std::tuple(outside::Kind::Light, 260, lamp, lamp));

    const auto camera = scene->animationCamera();
    camera->setParentGroup(group);
    graph.selectCamera(1, camera);
    const auto cameraMarker = graph.SelectedItem(1, 0);
    EXPECT_EQ(std::tuple(cameraMarker->Kind(), graph.CameraByLink(cameraMarker->ObjectLink()),
                         scene->Cameras().Item(1), graph.ViewCameras(nullptr).value(0)),
              std::tuple(outside::Kind::Camera, camera, camera, camera));
    EXPECT_EQ(cameraMarker->ParentGroup(), group);
}

TEST_F(Graph, RenderUtilitySumsUpTheSelection)
{
    const auto render = graph.CreateRenderUtility();
    std::int32_t kind = -1;
    bool single = true;
    render->AnalyseSelection(1, kind, single);
    EXPECT_EQ(std::tuple(kind, single), std::tuple(0, false));

    graph.select(1, scene->addShape(ShapeKind::Cylinder, QStringLiteral("C"), group));
    graph.addToSelection(1, scene->addShape(ShapeKind::Box, QStringLiteral("B"), group));
    render->AnalyseSelection(1, kind, single);
    EXPECT_EQ(std::tuple(kind, single), std::tuple(ShapeKind::Cylinder, false));

    for (const auto& [kind, expected] : {std::pair{60, 60}, {61, 60}, {79, 60}, {80, 80}}) {
        std::int32_t category = 0;
        render->KindCategory(kind, category);
        EXPECT_EQ(category, expected) << kind;
    }
}

class FakeEngine : public outside::ScriptEngine
{
public:
    explicit FakeEngine(QString text) : source(std::move(text)) {}
    void Run(const QString&, float&, outside::ScriptObjectPtr&) override {}
    outside::ScriptError Error() override { return {}; }
    QString source;
};

TEST_F(Graph, ScriptEnginesComeFromTheInstalledFactoryOnce)
{
    graph.setScriptEngineFactory(ScriptEngineFactory());
    graph.setScriptEditorFactory({});
    graph.setScriptObjectFactory({});
    group->setScript(QStringLiteral("one"));
    EXPECT_EQ(errorNumberOf([&] { group->ScriptEngine(); }), 429);
    EXPECT_THROW(graph.NewScriptEditor(), Error);
    EXPECT_THROW(graph.NewScriptObject(outside::ScriptObjectClass::GroupScriptObject), Error);

    int made = 0;
    graph.setScriptEngineFactory([&made](const QString& text) {
        ++made;
        return std::make_shared<FakeEngine>(text);
    });
    const auto first = group->ScriptEngine();
    EXPECT_EQ(group->ScriptEngine(), first);
    EXPECT_EQ(std::static_pointer_cast<FakeEngine>(first)->source, QStringLiteral("one"));

    group->setScript(QStringLiteral("two"));
    EXPECT_EQ(std::static_pointer_cast<FakeEngine>(group->ScriptEngine())->source,
              QStringLiteral("two"));
    // A scene opened later shares the factory.
    graph.newScene();
    graph.scene()->animationCamera()->setScript(QStringLiteral("three"));
    graph.scene()->animationCamera()->ScriptEngine();
    EXPECT_EQ(made, 3);

    // A notified edit drops the engine so that the next run compiles the new text.
    const auto light = graph.scene()->addLight(1, QStringLiteral("L"));
    light->ScriptEngine();
    graph.scene()->LightScriptChanged(light);
    light->ScriptEngine();
    EXPECT_EQ(made, 5);
}

TEST_F(Graph, ShapeBackupRestoresEverythingIncludingItsGroup)
{
    const auto other = scene->addGroup(2, QStringLiteral("Other"));
    const auto box = scene->addShape(ShapeKind::Box, QStringLiteral("Box"), group);
    box->setDimensions(QVector3D(1, 2, 3));
    box->setColour(Qt::red);
    box->setScript(QStringLiteral("s"));

    const auto backup = graph.NewShape();
    backup->CopyFrom(box);
    EXPECT_EQ(group->shapes().size(), 1u) << "a backup joined the group";

    box->setDimensions(QVector3D(9, 9, 9));
    box->setColour(Qt::blue);
    box->setScript(QStringLiteral("changed"));
    scene->UpdateShape(box, other, true, true, true, true);
    EXPECT_EQ(box->parentGroup(), other);

    box->PrepareRestore();
    box->CopyFrom(backup);
    EXPECT_EQ(std::tuple(box->dimensions(), box->colour(), box->script(), box->RefreshAlways(),
                         box->parentGroup()),
              std::tuple(QVector3D(1, 2, 3), QColor(Qt::red), QStringLiteral("s"), false, group));
    EXPECT_EQ(std::tuple(group->shapes().size(), other->shapes().size()), std::tuple(1, 0));
}

TEST(ApplicationStateValues, AreRefusedOutsideTheirRange)
{
    ApplicationState state;
    EXPECT_THROW(state.setMode(2), Error);
    EXPECT_THROW(state.setRegistryKey(QString()), Error);
    EXPECT_THROW(state.setCurrentFrame(-2.0f), Error);
}

} // namespace
