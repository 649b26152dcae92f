// Component scripts run through the scene graph's own engines, editor and script objects.
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>
#include <sg/SceneGraph.h>

using namespace vellum;
using namespace vellum::sg;
using outside::ScriptObjectClass;

namespace {

class ComponentScripts : public ::testing::Test
{
protected:
    // Runs the entry as the panel does, with a fresh script object; the error number, 0 when
    // the script ran.
    int run(outside::Scripted& component, ScriptObjectClass objectClass, const QString& entry,
            float frame = 0)
    {
        outside::ScriptObjectPtr object = graph.NewScriptObject(objectClass);
        try {
            component.ScriptEngine()->Run(entry, frame, object);
        } catch (const Error& error) {
            EXPECT_EQ(error.number(), component.ScriptEngine()->Error().Number);
            return error.number();
        }
        return 0;
    }
    int runGroup(Group& target, float frame = 0)
    {
        return run(target, ScriptObjectClass::GroupScriptObject, QStringLiteral("AnimateGroup"),
                   frame);
    }

    SceneGraph graph;
    std::shared_ptr<Scene> scene = graph.scene();
    std::shared_ptr<Group> group = scene->addGroup(1, QStringLiteral("Wheel"));
};

TEST_F(ComponentScripts, GroupScriptPosesItsGroup)
{
    group->setScript(QStringLiteral("function AnimateGroup(frame, group) {\n"
                                    "    if (group.name !== 'Wheel') throw 'name ' + group.name;\n"
                                    "    group.y = Math.sin(frame / 10) * 2;\n"
                                    "    group.yaw = frame;\n"
                                    "    group.move(1, 0, 0.5);\n"
                                    "}\n"));
    ASSERT_EQ(runGroup(*group, 15), 0) << group->ScriptEngine()->Error().Description.toStdString();
    EXPECT_LT((group->position() - QVector3D(1, std::sin(1.5f) * 2, 0.5f)).length(), 1e-5f);
    EXPECT_NEAR(group->orientation().toEulerAngles().y(), 15.0, 1e-3);

    ASSERT_EQ(runGroup(*group, 15), 0);
    EXPECT_NEAR(group->position().x(), 2.0, 1e-6) << "the second run starts from the first's pose";
}

TEST_F(ComponentScripts, EachKindReachesItsOwnComponent)
{
    const auto light = scene->addLight(1, QStringLiteral("Key"));
    light->setScript(QStringLiteral("function AnimateLight(frame, light) {\n"
                                    "    light.setColour(0.25, 0.5, 1);\n"
                                    "    light.green = light.green / 2;\n"
                                    "    light.intensity = frame / 10;\n"
                                    "}\n"));
    EXPECT_EQ(run(*light, ScriptObjectClass::LightScriptObject, QStringLiteral("AnimateLight"), 5),
              0);
    EXPECT_LT((light->state().colour - QVector3D(0.25f, 0.25f, 1)).length(), 1e-3f);
    EXPECT_FLOAT_EQ(light->intensity(), 0.5f);

    const auto camera = scene->animationCamera();
    const auto rig = scene->addGroup(2, QStringLiteral("Rig"));
    camera->setParentGroup(rig);
    camera->setScript(QStringLiteral("function AnimateCamera(frame, camera) {\n"
                                     "    camera.fieldOfView = 30 + frame;\n"
                                     "    camera.setPosition(0, 1, -frame);\n"
                                     "}\n"));
    EXPECT_EQ(
        run(*camera, ScriptObjectClass::CameraScriptObject, QStringLiteral("AnimateCamera"), 10),
        0);
    EXPECT_FLOAT_EQ(camera->fieldOfView(), 40.0f);
    EXPECT_EQ(rig->position(), QVector3D(0, 1, -10));

    const auto box = scene->addShape(ShapeKind::Box, QStringLiteral("Box"), group);
    box->setDimensions(QVector3D(1, 2, 3));
    box->setScript(QStringLiteral("function AnimateShape(frame, shape) {\n"
                                  "    shape.visible = frame < 5;\n"
                                  "    shape.scale(2);\n"
                                  "    shape.red = 0;\n"
                                  "}\n"));
    EXPECT_EQ(run(*box, ScriptObjectClass::ShapeScriptObject, QStringLiteral("AnimateShape"), 8),
              0);
    // The other channels stay.
    EXPECT_EQ(
        std::tuple(box->isVisible(), box->dimensions(), box->colour().red(), box->colour().green()),
        std::tuple(false, QVector3D(2, 4, 6), 0, 200));
}

TEST_F(ComponentScripts, FailuresKeepTheirNumberAndLineAndStoreNoRefusedValue)
{
    const struct
    {
        const char* script;
        ScriptObjectClass objectClass;
        int number;
        int line;
    } rows[] = {
        {"function AnimateGroup(frame, group) {\n    var a = 1;\n    group.spin(a);\n}",
         ScriptObjectClass::GroupScriptObject, 438, 3},
        {"function AnimateGroup(frame, group) {\n    group.X = 1;\n}",
         ScriptObjectClass::GroupScriptObject, 438, 2},
        {"function AnimateGroup(frame, group) {\n    group.x = 1 / 0;\n}",
         ScriptObjectClass::GroupScriptObject, 380, 2},
        // an object of another kind
        {"function AnimateGroup(frame, group) {\n\n    group.intensity = 1;\n}",
         ScriptObjectClass::LightScriptObject, 424, 3},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.script);
        group->setScript(QString::fromUtf8(row.script));
        EXPECT_EQ(run(*group, row.objectClass, QStringLiteral("AnimateGroup")), row.number);
        const outside::ScriptError error = group->ScriptEngine()->Error();
        EXPECT_EQ(std::tuple(error.Number, error.Line), std::tuple(row.number, row.line));
        EXPECT_FALSE(error.Description.isEmpty());
        EXPECT_EQ(group->position().x(), 0.0f) << "a refused value was stored";
    }
}

TEST_F(ComponentScripts, ComponentRefusalsReachTheScriptAtTheirLine)
{
    const auto light = scene->addLight(1, QStringLiteral("Key"));
    light->setScript(QStringLiteral("function AnimateLight(frame, light) {\n"
                                    "    light.intensity = -1;\n}"));
    EXPECT_EQ(run(*light, ScriptObjectClass::LightScriptObject, QStringLiteral("AnimateLight")),
              380);
    EXPECT_EQ(std::tuple(light->ScriptEngine()->Error().Line, light->intensity()),
              std::tuple(2, 1.0f));

    const auto marker = scene->lightMarker(light->code());
    marker->setScript(QStringLiteral("function AnimateShape(frame, shape) {\n"
                                     "    shape.visible = false;\n"
                                     "    shape.scale(2);\n}"));
    EXPECT_EQ(run(*marker, ScriptObjectClass::ShapeScriptObject, QStringLiteral("AnimateShape")),
              438)
        << "a marker has no dimensions to scale";
    EXPECT_EQ(marker->ScriptEngine()->Error().Line, 3);
    EXPECT_FALSE(marker->isVisible()) << "what ran before the failure stays done";
}

TEST_F(ComponentScripts, EnginesOfTwoComponentsShareNoState)
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
    ASSERT_EQ(runGroup(*group), 0);
    ASSERT_EQ(runGroup(*group), 0);
    ASSERT_EQ(runGroup(*other), 0);
    EXPECT_EQ(group->position(), QVector3D(2, 0, 1));
    EXPECT_EQ(other->position(), QVector3D(1, 0, 0));
}

TEST_F(ComponentScripts, RestoredAndReopenedComponentsRunTheirScripts)
{
    const auto box = scene->addShape(ShapeKind::Box, QStringLiteral("Box"), group);
    box->setScript(
        QStringLiteral("function AnimateShape(frame, shape) { shape.visible = false; }"));
    const auto backup = graph.NewShape();
    backup->CopyFrom(box);
    box->setScript(QStringLiteral("function AnimateShape(frame, shape) { shape.red = 0; }"));
    const auto shapeEntry = QStringLiteral("AnimateShape");
    ASSERT_EQ(run(*box, ScriptObjectClass::ShapeScriptObject, shapeEntry), 0);

    box->PrepareRestore();
    box->CopyFrom(backup);
    ASSERT_EQ(run(*box, ScriptObjectClass::ShapeScriptObject, shapeEntry), 0);
    EXPECT_FALSE(box->isVisible());

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
