// Selection, look-ups, bindings and the script seams of the scene graph; component scripts run
// through its own engines, editor and script objects.
#include "ErrorNumber.h"
#include "FakeScriptEngine.h"

#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <sg/RenderUtility.h>
#include <sg/SceneGraph.h>

using namespace vellum;
using namespace vellum::sg;
using namespace Qt::StringLiterals;
using outside::ScriptObjectClass;
using vellum::testing::errorNumberOf;

namespace {

class Graph : public ::testing::Test
{
protected:
    // Runs the entry as the panel does, with a fresh script object of the entry's kind unless
    // another is given; the error number, 0 when the script ran.
    int run(outside::Scripted& component, const char* entry = "AnimateGroup", float frame = 0,
            std::optional<ScriptObjectClass> objectClass = {})
    {
        static const std::map<std::string_view, ScriptObjectClass> classes = {
            {"AnimateGroup", ScriptObjectClass::GroupScriptObject},
            {"AnimateShape", ScriptObjectClass::ShapeScriptObject},
            {"AnimateLight", ScriptObjectClass::LightScriptObject},
            {"AnimateCamera", ScriptObjectClass::CameraScriptObject}};
        outside::ScriptObjectPtr object =
            graph.NewScriptObject(objectClass.value_or(classes.at(entry)));
        try {
            component.ScriptEngine()->Run(QLatin1String(entry), frame, object);
        } catch (const Error& error) {
            EXPECT_EQ(error.number(), component.ScriptEngine()->Error().Number);
            return error.number();
        }
        return 0;
    }

    SceneGraph graph;
    std::shared_ptr<Scene> scene = graph.scene();
    std::shared_ptr<Group> group = scene->addGroup(1, QStringLiteral("Wheel"));
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

TEST_F(Graph, ScriptEnginesComeFromTheInstalledFactoryOnce)
{
    graph.setScriptEngineFactory(ScriptEngineFactory());
    graph.setScriptEditorFactory({});
    graph.setScriptObjectFactory({});
    group->setScript(QStringLiteral("one"));
    EXPECT_EQ(errorNumberOf([&] { group->ScriptEngine(); }), 429);
    EXPECT_THROW(graph.NewScriptEditor(), Error);
    EXPECT_THROW(graph.NewScriptObject(outside::ScriptObjectClass::GroupScriptObject), Error);

    QStringList compiled;
    graph.setScriptEngineFactory([&compiled](const QString& text) {
        compiled << text;
        return std::make_shared<vellum::testing::FakeScriptEngine>();
    });
    const auto first = group->ScriptEngine();
    EXPECT_EQ(group->ScriptEngine(), first);
    group->setScript(QStringLiteral("two"));
    group->ScriptEngine();
    // A scene opened later shares the factory.
    graph.newScene();
    graph.scene()->animationCamera()->setScript(QStringLiteral("three"));
    graph.scene()->animationCamera()->ScriptEngine();
    // A notified edit drops the engine so that the next run compiles the new text.
    const auto light = graph.scene()->addLight(1, QStringLiteral("L"));
    light->setScript(QStringLiteral("four"));
    light->ScriptEngine();
    graph.scene()->LightScriptChanged(light);
    light->ScriptEngine();
    EXPECT_EQ(compiled, QStringList({u"one"_s, u"two"_s, u"three"_s, u"four"_s, u"four"_s}));
}

TEST_F(Graph, ShapeBackupRestoresEverythingIncludingItsGroupAndScript)
{
    const auto other = scene->addGroup(2, QStringLiteral("Other"));
    const auto box = scene->addShape(ShapeKind::Box, QStringLiteral("Box"), group);
    box->setDimensions(QVector3D(1, 2, 3));
    box->setColour(Qt::red);
    const QString hide =
        QStringLiteral("function AnimateShape(frame, shape) { shape.visible = false; }");
    box->setScript(hide);

    const auto backup = graph.NewShape();
    backup->CopyFrom(box);
    EXPECT_EQ(group->shapes().size(), 1u) << "a backup joined the group";

    box->setDimensions(QVector3D(9, 9, 9));
    box->setColour(Qt::blue);
    box->setScript(QStringLiteral("function AnimateShape(frame, shape) { shape.red = 0; }"));
    ASSERT_EQ(run(*box, "AnimateShape"), 0);
    scene->UpdateShape(box, other, true, true, true, true);
    EXPECT_EQ(box->parentGroup(), other);

    box->PrepareRestore();
    box->CopyFrom(backup);
    EXPECT_EQ(std::tuple(box->dimensions(), box->colour(), box->script(), box->RefreshAlways(),
                         box->parentGroup()),
              std::tuple(QVector3D(1, 2, 3), QColor(Qt::red), hide, false, group));
    EXPECT_EQ(std::tuple(group->shapes().size(), other->shapes().size()), std::tuple(1, 0));
    // The engine runs the restored text.
    ASSERT_EQ(run(*box, "AnimateShape"), 0);
    EXPECT_FALSE(box->isVisible());
}

TEST(ApplicationStateValues, AreRefusedOutsideTheirRange)
{
    ApplicationState state;
    EXPECT_THROW(state.setMode(2), Error);
    EXPECT_THROW(state.setRegistryKey(QString()), Error);
    EXPECT_THROW(state.setCurrentFrame(-2.0f), Error);
}

TEST_F(Graph, GroupScriptPosesItsGroup)
{
    group->setScript(QStringLiteral("function AnimateGroup(frame, group) {\n"
                                    "    if (group.name !== 'Wheel') throw 'name ' + group.name;\n"
                                    "    group.y = Math.sin(frame / 10) * 2;\n"
                                    "    group.yaw = frame;\n"
                                    "    group.move(1, 0, 0.5);\n"
                                    "}\n"));
    ASSERT_EQ(run(*group, "AnimateGroup", 15), 0)
        << group->ScriptEngine()->Error().Description.toStdString();
    EXPECT_LT((group->position() - QVector3D(1, std::sin(1.5f) * 2, 0.5f)).length(), 1e-5f);
    EXPECT_NEAR(group->orientation().toEulerAngles().y(), 15.0, 1e-3);

    ASSERT_EQ(run(*group, "AnimateGroup", 15), 0);
    EXPECT_NEAR(group->position().x(), 2.0, 1e-6) << "the second run starts from the first's pose";
}

TEST_F(Graph, ScriptOfEachKindReachesItsOwnComponent)
{
    const auto light = scene->addLight(1, QStringLiteral("Key"));
    light->setScript(QStringLiteral("function AnimateLight(frame, light) {\n"
                                    "    light.setColour(0.25, 0.5, 1);\n"
                                    "    light.green = light.green / 2;\n"
                                    "    light.intensity = frame / 10;\n"
                                    "}\n"));
    EXPECT_EQ(run(*light, "AnimateLight", 5), 0);
    EXPECT_LT((light->state().colour - QVector3D(0.25f, 0.25f, 1)).length(), 1e-3f);
    EXPECT_FLOAT_EQ(light->intensity(), 0.5f);

    const auto camera = scene->animationCamera();
    const auto rig = scene->addGroup(2, QStringLiteral("Rig"));
    camera->setParentGroup(rig);
    camera->setScript(QStringLiteral("function AnimateCamera(frame, camera) {\n"
                                     "    camera.fieldOfView = 30 + frame;\n"
                                     "    camera.setPosition(0, 1, -frame);\n"
                                     "}\n"));
    EXPECT_EQ(run(*camera, "AnimateCamera", 10), 0);
    EXPECT_FLOAT_EQ(camera->fieldOfView(), 40.0f);
    EXPECT_EQ(rig->position(), QVector3D(0, 1, -10));

    const auto box = scene->addShape(ShapeKind::Box, QStringLiteral("Box"), group);
    box->setDimensions(QVector3D(1, 2, 3));
    box->setScript(QStringLiteral("function AnimateShape(frame, shape) {\n"
                                  "    shape.visible = frame < 5;\n"
                                  "    shape.scale(2);\n"
                                  "    shape.red = 0;\n"
                                  "}\n"));
    EXPECT_EQ(run(*box, "AnimateShape", 8), 0);
    // The other channels stay.
    EXPECT_EQ(
        std::tuple(box->isVisible(), box->dimensions(), box->colour().red(), box->colour().green()),
        std::tuple(false, QVector3D(2, 4, 6), 0, 200));
}

TEST_F(Graph, ScriptFailuresKeepTheirNumberAndLineAndStoreNoRefusedValue)
{
    const auto groupObject = ScriptObjectClass::GroupScriptObject;
    const struct
    {
        const char* script;
        ScriptObjectClass objectClass;
        int number;
        int line;
    } rows[] = {
        // clang-format off
        {"function AnimateGroup(frame, group) {\n    var a = 1;\n    group.spin(a);\n}", groupObject, 438, 3},
        {"function AnimateGroup(frame, group) {\n    group.X = 1;\n}", groupObject, 438, 2},
        {"function AnimateGroup(frame, group) {\n    group.x = 1 / 0;\n}", groupObject, 380, 2},
        // an object of another kind
        {"function AnimateGroup(frame, group) {\n\n    group.intensity = 1;\n}", ScriptObjectClass::LightScriptObject, 424, 3},
        // clang-format on
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.script);
        group->setScript(QString::fromUtf8(row.script));
        EXPECT_EQ(run(*group, "AnimateGroup", 0, row.objectClass), row.number);
        const outside::ScriptError error = group->ScriptEngine()->Error();
        EXPECT_EQ(std::tuple(error.Number, error.Line), std::tuple(row.number, row.line));
        EXPECT_FALSE(error.Description.isEmpty());
        EXPECT_EQ(group->position().x(), 0.0f) << "a refused value was stored";
    }
}

TEST_F(Graph, ComponentRefusalsReachTheScriptAtTheirLine)
{
    const auto light = scene->addLight(1, QStringLiteral("Key"));
    light->setScript(QStringLiteral("function AnimateLight(frame, light) {\n"
                                    "    light.intensity = -1;\n}"));
    EXPECT_EQ(run(*light, "AnimateLight"), 380);
    EXPECT_EQ(std::tuple(light->ScriptEngine()->Error().Line, light->intensity()),
              std::tuple(2, 1.0f));

    const auto marker = scene->lightMarker(light->code());
    marker->setScript(QStringLiteral("function AnimateShape(frame, shape) {\n"
                                     "    shape.visible = false;\n"
                                     "    shape.scale(2);\n}"));
    EXPECT_EQ(run(*marker, "AnimateShape"), 438) << "a marker has no dimensions to scale";
    EXPECT_EQ(marker->ScriptEngine()->Error().Line, 3);
    EXPECT_FALSE(marker->isVisible()) << "what ran before the failure stays done";
}

TEST_F(Graph, ScriptEnginesOfTwoComponentsShareNoState)
{
    const QString counting = QStringLiteral("var runs = 0;\n"
                                            "function AnimateGroup(frame, group) {\n"
                                            "    group.x = ++runs;\n"
                                            "    if (typeof leaked !== 'undefined') group.z = 1;\n"
                                            "    leaked = true;\n"
                                            "}\n");
    const auto other = scene->addGroup(2, QStringLiteral("Other"));
    group->setScript(counting);
    other->setScript(counting);
    ASSERT_EQ(run(*group), 0);
    ASSERT_EQ(run(*group), 0);
    ASSERT_EQ(run(*other), 0);
    EXPECT_EQ(group->position(), QVector3D(2, 0, 1));
    EXPECT_EQ(other->position(), QVector3D(1, 0, 0));
}

// A component that keeps no script of its own.
class PlainComponent : public outside::Scripted
{
public:
    QString Script() override { return {}; }
    outside::ScriptEnginePtr ScriptEngine() override { return nullptr; }
};

TEST_F(Graph, AnAppliedScriptIsStoredEvenUncompilableAndOnlyInAComponentThatHoldsOne)
{
    outside::ScriptedPtr component = group, plain = std::make_shared<PlainComponent>();
    const auto editor = graph.NewScriptEditor();
    editor->ApplyScript(component, QStringLiteral("function ("), true, 0, 0);
    EXPECT_EQ(std::pair(component, group->Script()),
              std::pair(outside::ScriptedPtr(group), QStringLiteral("function (")));
    EXPECT_EQ(errorNumberOf([&] { editor->ApplyScript(plain, QStringLiteral("x"), true, 0, 0); }),
              ErrorNumber::MemberNotSupported);
}

TEST_F(Graph, AReopenedSceneRunsItsScriptsOnItsOwnGroups)
{
    group->setScript(QStringLiteral("function AnimateGroup(frame, group) { group.z = frame; }"));
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("scene.json"));
    graph.saveScene(path);
    SceneGraph reopened;
    reopened.openScene(path);
    const auto wheel = reopened.scene()->group(1);
    ASSERT_TRUE(wheel);
    float frame = 7;
    outside::ScriptObjectPtr object =
        reopened.NewScriptObject(ScriptObjectClass::GroupScriptObject);
    wheel->ScriptEngine()->Run(QStringLiteral("AnimateGroup"), frame, object);
    EXPECT_EQ(wheel->position().z(), 7.0f);
    EXPECT_EQ(group->position().z(), 0.0f) << "the script moved a group of another scene graph";
}

} // namespace
