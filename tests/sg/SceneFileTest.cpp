// Scene files: what goes out comes back, and a bad file changes nothing.
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <sg/OperationType.h>
#include <sg/SceneFile.h>
#include <sg/SceneGraph.h>

using namespace vellum;
using namespace vellum::sg;

namespace {

void buildScene(SceneGraph& graph)
{
    auto state = graph.applicationState();
    auto settings = state->AnimationSettings();
    settings.Keys = 240;
    settings.KeysPerSecond = 24.0f;
    state->setAnimationSettings(settings);

    const auto scene = graph.scene();
    const auto arm = scene->addGroup(1, QStringLiteral("Arm"));
    const auto hand = scene->addGroup(4, QStringLiteral("Hand \"left\""), arm);
    const auto eye = scene->addGroup(7, QStringLiteral("Eye"));
    arm->setPose(Pose{QVector3D(1.25f, -2, 3), QQuaternion::fromEulerAngles(10, 20, 30)});
    arm->SetKeyFrame(true, 0);
    arm->setPosition(QVector3D(5, 0.1f, 0));
    arm->SetKeyFrame(false, 12.5f);
    arm->setLoopMode(outside::LoopClosed);
    hand->setPosition(QVector3D(0, 1, 0));
    hand->setScript(QStringLiteral("function AnimateGroup(frame, group) {\n}\n"));
    eye->LookAt(hand, 0);

    const auto box = scene->addShape(ShapeKind::Box, QStringLiteral("Box"), hand);
    box->setDimensions(QVector3D(1, 2, 3));
    box->setOffset(QVector3D(0.5f, 0, 0));
    box->setColour(QColor(10, 20, 30, 40));
    box->setVisible(false);
    box->setRefreshAlways(true);
    box->setScript(QStringLiteral("// shape"));
    scene->addShape(ShapeKind::Sphere, QStringLiteral("Ball"), eye)
        ->setDimensions(QVector3D(2, 0, 0));

    const auto lamp = scene->addLight(3, QStringLiteral("Lamp"));
    lamp->setPosition(QVector3D(0, 10, 0));
    lamp->setColour(QColor::fromRgbF(1.0f, 0.5f, 0.25f));
    lamp->setIntensity(2.0f);
    lamp->SetKeyFrame(true, 0);
    lamp->setIntensity(0.5f);
    lamp->SetKeyFrame(false, 30);

    const auto camera = scene->animationCamera();
    camera->setParentGroup(eye);
    camera->setFieldOfView(60.0f);
    camera->SetKeyFrame(true, 5);
    camera->setScript(QStringLiteral("// camera"));

    const auto pulse = scene->addOperationComponent(QStringLiteral("Pulse"), hand);
    const auto grow = scene->addOperation(pulse, OperationType::Scale, QStringLiteral("Grow"), box);
    grow->setAmount(2.5f);
    grow->SetKeyFrame(true, 3);
    grow->setAmount(0.5f);
    grow->SetKeyFrame(false, 30);
    grow->setLoopMode(outside::LoopClosed);
    grow->sequences().add(QStringLiteral("beat"), grow->keyTrack(), 0, 40, 3);
    const auto blush = scene->addOperation(pulse, OperationType::Colour, QStringLiteral("Blush"));
    blush->setAmount(0.25f);
    blush->setTint(QColor(0, 128, 255));
    scene->setActiveOperation(blush);
    arm->sequences().add(QStringLiteral("swing"), arm->keyTrack(), 0, 12.5f, 0);

    // Keyed operations take their amount from the frame.
    state->setCurrentFrame(17.0f);
}

void expectSameSequences(const SequenceStore& a, const SequenceStore& b)
{
    ASSERT_EQ(a.sequences().size(), b.sequences().size());
    for (size_t i = 0; i < a.sequences().size(); ++i) {
        const auto &sa = a.sequences()[i], &sb = b.sequences()[i];
        EXPECT_EQ(sa.name, sb.name);
        ASSERT_EQ(sa.keys.size(), sb.keys.size());
        for (size_t k = 0; k < sa.keys.size(); ++k)
            EXPECT_EQ(std::memcmp(&sa.keys[k], &sb.keys[k], sizeof(outside::KeyRecord)), 0);
    }
}

void expectSameKeys(const KeyTrack& a, const KeyTrack& b)
{
    EXPECT_EQ(a.loopMode(), b.loopMode());
    ASSERT_EQ(a.count(), b.count());
    for (int i = 0; i < a.count(); ++i)
        EXPECT_EQ(
            std::memcmp(&a.keys()[size_t(i)], &b.keys()[size_t(i)], sizeof(outside::KeyRecord)), 0)
            << "key " << i;
}

void expectSameScene(SceneGraph& saved, SceneGraph& loaded)
{
    const auto a = saved.scene(), b = loaded.scene();
    EXPECT_EQ(loaded.applicationState()->AnimationSettings().Keys, 240);
    EXPECT_EQ(loaded.applicationState()->AnimationSettings().KeysPerSecond, 24.0f);
    EXPECT_EQ(loaded.applicationState()->CurrentFrame(), 17.0f);

    ASSERT_EQ(a->Groups().Count(), b->Groups().Count());
    for (const auto& ga : a->groupList()) {
        SCOPED_TRACE(ga->name().toStdString());
        const auto gb = b->group(ga->number());
        ASSERT_TRUE(gb);
        EXPECT_EQ(gb->name(), ga->name());
        EXPECT_EQ(gb->parent()->number(), ga->parent()->number());
        EXPECT_EQ(gb->position(), ga->position());
        EXPECT_TRUE(qFuzzyCompare(gb->orientation(), ga->orientation()));
        EXPECT_EQ(gb->LookAtID(), ga->LookAtID());
        EXPECT_EQ(gb->script(), ga->script());
        expectSameKeys(ga->keyTrack(), gb->keyTrack());
        expectSameSequences(ga->sequences(), gb->sequences());
    }
    ASSERT_EQ(a->Shapes().Count(), b->Shapes().Count());
    for (const auto& sa : a->shapeList()) {
        SCOPED_TRACE(sa->code());
        const auto sb = b->shape(sa->code());
        ASSERT_TRUE(sb);
        EXPECT_EQ(sb->name(), sa->name());
        EXPECT_EQ(sb->parentGroup()->number(), sa->parentGroup()->number());
        EXPECT_EQ(sb->dimensions(), sa->dimensions());
        EXPECT_EQ(sb->offset(), sa->offset());
        EXPECT_EQ(sb->colour(), sa->colour());
        EXPECT_EQ(sb->isVisible(), sa->isVisible());
        EXPECT_EQ(sb->RefreshAlways(), sa->RefreshAlways());
        EXPECT_EQ(sb->LightLink(), sa->LightLink());
        EXPECT_EQ(sb->ObjectLink(), sa->ObjectLink());
        EXPECT_EQ(sb->script(), sa->script());
    }
    ASSERT_EQ(a->Lights().Count(), b->Lights().Count());
    for (const auto& la : a->lightList()) {
        const auto lb = b->light(la->code());
        ASSERT_TRUE(lb);
        EXPECT_EQ(lb->name(), la->name());
        EXPECT_EQ(lb->state(), la->state());
        expectSameKeys(la->keyTrack(), lb->keyTrack());
    }
    const auto ca = a->animationCamera(), cb = b->animationCamera();
    EXPECT_EQ(cb->parentGroup()->number(), ca->parentGroup()->number());
    EXPECT_EQ(cb->marker()->parentGroup(), cb->parentGroup());
    EXPECT_EQ(cb->fieldOfView(), ca->fieldOfView());
    EXPECT_EQ(cb->script(), ca->script());
    expectSameKeys(ca->keyTrack(), cb->keyTrack());

    ASSERT_EQ(a->Operations().Count(), b->Operations().Count());
    for (const auto& oa : a->operationList()) {
        SCOPED_TRACE(oa->number());
        const auto ob = b->operation(oa->number());
        ASSERT_TRUE(ob);
        EXPECT_EQ(ob->name(), oa->name());
        EXPECT_EQ(ob->type(), oa->type());
        EXPECT_EQ(ob->component()->code(), oa->component()->code());
        EXPECT_EQ(ob->target() ? ob->target()->code() : 0, oa->target() ? oa->target()->code() : 0);
        EXPECT_EQ(ob->amount(), oa->amount());
        EXPECT_EQ(ob->tint(), oa->tint());
        expectSameKeys(oa->keyTrack(), ob->keyTrack());
        expectSameSequences(oa->sequences(), ob->sequences());
        EXPECT_EQ(b->OperationIndex(ob->component()->code()),
                  a->OperationIndex(oa->component()->code()));
    }
}

class SceneFiles : public ::testing::Test
{
protected:
    QString path(const char* name) const { return folder.filePath(QString::fromLatin1(name)); }

    QTemporaryDir folder;
};

TEST_F(SceneFiles, RoundTripKeepsEveryMember)
{
    SceneGraph saved;
    buildScene(saved);
    saved.saveScene(path("scene.json"));

    SceneGraph loaded;
    loaded.openScene(path("scene.json"));
    expectSameScene(saved, loaded);
    EXPECT_EQ(loaded.scene()->group(7)->LookAtID(), 4);
}

// Files from before operations and sequences carry neither.
TEST_F(SceneFiles, VersionOneFilesStillOpen)
{
    SceneGraph saved;
    buildScene(saved);
    saved.saveScene(path("scene.json"));
    QFile file(path("scene.json"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QJsonObject root = QJsonDocument::fromJson(file.readAll()).object();
    file.close();
    root[QStringLiteral("version")] = 1;
    root.remove(QStringLiteral("operations"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(QJsonDocument(root).toJson());
    file.close();

    SceneGraph loaded;
    loaded.openScene(path("scene.json"));
    EXPECT_EQ(loaded.scene()->Operations().Count(), 0);
    EXPECT_TRUE(loaded.scene()->group(1)->sequences().sequences().empty());
    expectSameKeys(saved.scene()->group(1)->keyTrack(), loaded.scene()->group(1)->keyTrack());
}

QJsonObject member(const QJsonObject& object, const char* path)
{
    return object.value(QLatin1String(path)).toObject();
}

using Edit = std::function<void(QByteArray&)>;

Edit editJson(std::function<void(QJsonObject&)> change)
{
    return [change](QByteArray& bytes) {
        QJsonObject root = QJsonDocument::fromJson(bytes).object();
        change(root);
        bytes = QJsonDocument(root).toJson();
    };
}

// Replaces one member of the first element of a top-level array.
Edit editFirst(const char* array, const char* name, QJsonValue value)
{
    return editJson([=](QJsonObject& root) {
        QJsonArray items = root.value(QLatin1String(array)).toArray();
        QJsonObject first = items.first().toObject();
        if (value.isUndefined())
            first.remove(QLatin1String(name));
        else
            first.insert(QLatin1String(name), value);
        items.replace(0, first);
        root.insert(QLatin1String(array), items);
    });
}

Edit truncateAt(double fraction)
{
    return [fraction](QByteArray& bytes) { bytes.truncate(qsizetype(bytes.size() * fraction)); };
}

struct BadFile
{
    const char* name;
    Edit edit; // nullptr: no file at all
    int number;
    const char* descriptionPart;
};

class BadSceneFiles : public SceneFiles, public ::testing::WithParamInterface<BadFile>
{};

TEST_P(BadSceneFiles, AreRefusedWholeAndTheOpenSceneStays)
{
    const BadFile& row = GetParam();
    SceneGraph source;
    buildScene(source);
    source.saveScene(path("good.json"));

    SceneGraph graph;
    graph.openScene(path("good.json"));
    const auto before = graph.scene();
    const auto settingsBefore = graph.applicationState()->AnimationSettings();

    const QString bad = path("bad.json");
    if (row.edit) {
        QFile in(path("good.json"));
        ASSERT_TRUE(in.open(QIODevice::ReadOnly));
        QByteArray bytes = in.readAll();
        row.edit(bytes);
        QFile out(bad);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
    }

    try {
        graph.openScene(bad);
        FAIL() << "accepted";
    } catch (const Error& error) {
        EXPECT_EQ(error.number(), row.number);
        EXPECT_TRUE(error.description().contains(QString::fromUtf8(row.descriptionPart)))
            << error.description().toStdString();
    }
    EXPECT_EQ(graph.scene(), before);
    EXPECT_EQ(graph.applicationState()->AnimationSettings().Keys, settingsBefore.Keys);
    EXPECT_EQ(graph.applicationState()->CurrentFrame(), 17.0f);
    expectSameScene(source, graph);
}

const QJsonValue removed(QJsonValue::Undefined);

INSTANTIATE_TEST_SUITE_P(
    Refusals, BadSceneFiles,
    ::testing::Values(
        BadFile{"Missing", nullptr, ErrorNumber::FileNotFound, "File not found"},
        BadFile{"Empty", truncateAt(0.0), ErrorNumber::InvalidPropertyValue, "at offset"},
        BadFile{"TruncatedEarly", truncateAt(0.1), ErrorNumber::InvalidPropertyValue, "at offset"},
        BadFile{"TruncatedHalfway", truncateAt(0.5), ErrorNumber::InvalidPropertyValue,
                "at offset"},
        BadFile{"TruncatedLate", truncateAt(0.98), ErrorNumber::InvalidPropertyValue, "at offset"},
        BadFile{"Malformed", [](QByteArray& b) { b.replace(':', '='); },
                ErrorNumber::InvalidPropertyValue, "Scene file is not valid"},
        BadFile{"NotAnObject", [](QByteArray& b) { b = "[1, 2]"; },
                ErrorNumber::InvalidPropertyValue, "expected an object, at the top level"},
        BadFile{"FutureVersion",
                editJson([](QJsonObject& r) { r[QStringLiteral("version")] = 99; }),
                ErrorNumber::InvalidPropertyValue, "unsupported version 99, at version"},
        BadFile{"GroupNameNotText", editFirst("groups", "name", 5),
                ErrorNumber::InvalidPropertyValue, "expected a text, at groups[0].name"},
        BadFile{"GroupWithoutPosition", editFirst("groups", "position", removed),
                ErrorNumber::InvalidPropertyValue, "missing member \"position\", at groups[0]"},
        BadFile{"ParentNotYetRead", editFirst("groups", "parent", 7),
                ErrorNumber::InvalidPropertyValue, "no group 7, at groups[0].parent"},
        BadFile{"FractionalNumber", editFirst("groups", "number", 1.5),
                ErrorNumber::InvalidPropertyValue, "expected a whole number, at groups[0].number"},
        BadFile{"KeyFrameNotANumber", editJson([](QJsonObject& r) {
                    QJsonArray groups = r[QStringLiteral("groups")].toArray();
                    QJsonObject arm = groups[0].toObject();
                    QJsonObject animation = member(arm, "animation");
                    QJsonArray keys = animation[QStringLiteral("keys")].toArray();
                    QJsonObject key = keys[1].toObject();
                    key[QStringLiteral("frame")] = QStringLiteral("twelve");
                    keys[1] = key;
                    animation[QStringLiteral("keys")] = keys;
                    arm[QStringLiteral("animation")] = animation;
                    groups[0] = arm;
                    r[QStringLiteral("groups")] = groups;
                }),
                ErrorNumber::InvalidPropertyValue,
                "expected a number, at groups[0].animation.keys[1].frame"},
        BadFile{"UnknownShapeKind", editFirst("shapes", "kind", 99),
                ErrorNumber::InvalidPropertyValue, "unknown shape kind 99, at shapes[0].kind"},
        BadFile{"MarkerAsShape", editFirst("shapes", "kind", 60), ErrorNumber::InvalidPropertyValue,
                "unknown shape kind 60"},
        BadFile{"NegativeSize", editFirst("shapes", "dimensions", QJsonArray{1, -1, 1}),
                ErrorNumber::InvalidPropertyValue, "at shapes[0].dimensions"},
        BadFile{"DuplicateLight", editJson([](QJsonObject& r) {
                    QJsonArray lights = r[QStringLiteral("lights")].toArray();
                    lights.append(lights[0]);
                    r[QStringLiteral("lights")] = lights;
                }),
                ErrorNumber::InvalidPropertyValue, "at lights[1].number"},
        BadFile{"NoCamera", editJson([](QJsonObject& r) { r.remove(QStringLiteral("camera")); }),
                ErrorNumber::InvalidPropertyValue, "missing member \"camera\""},
        BadFile{"OperationOnNoComponent", editFirst("operations", "component", 1),
                ErrorNumber::InvalidPropertyValue,
                "no operation component 1, at operations[0].component"},
        BadFile{"OperationOnAComponent", editFirst("operations", "target", 311),
                ErrorNumber::InvalidPropertyValue, "no shape 311, at operations[0].target"},
        BadFile{"UnknownOperationType", editFirst("operations", "type", 9),
                ErrorNumber::InvalidPropertyValue, "at operations[0]"},
        BadFile{"OperationNumberZero", editFirst("operations", "number", 0),
                ErrorNumber::InvalidPropertyValue,
                "operation numbers start at 1, at operations[0].number"},
        BadFile{"SequenceWithoutName",
                editFirst("operations", "sequences", QJsonArray{QJsonObject{}}),
                ErrorNumber::InvalidPropertyValue,
                "missing member \"name\", at operations[0].sequences[0]"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
