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

// Keys and sequences as bytes: the panel reads the records byte for byte.
QByteArray bytesOf(const std::vector<outside::KeyRecord>& keys)
{
    return QByteArray(reinterpret_cast<const char*>(keys.data()),
                      qsizetype(keys.size() * sizeof(outside::KeyRecord)));
}

QByteArray keysOf(const KeyTrack& track)
{
    return QByteArray::number(track.loopMode()) + bytesOf(track.keys());
}

QByteArray sequencesOf(const SequenceStore& store)
{
    QByteArray all;
    for (const auto& sequence : store.sequences())
        all += sequence.name.toUtf8() + '|' + bytesOf(sequence.keys);
    return all;
}

int codeOf(const std::shared_ptr<Shape>& shape)
{
    return shape ? shape->code() : 0;
}

// Every member of every item, loaded against saved.
void expectSameScene(SceneGraph& saved, SceneGraph& loaded)
{
    const auto a = saved.scene(), b = loaded.scene();
    const auto settings = loaded.applicationState()->AnimationSettings();
    EXPECT_EQ(std::tuple(settings.Keys, settings.KeysPerSecond,
                         loaded.applicationState()->CurrentFrame()),
              std::tuple(240, 24.0f, 17.0f));

    const auto group = [](auto& g) {
        return std::tuple(g.name(), g.parent()->number(), g.position(), g.LookAtID(), g.script(),
                          keysOf(g.keyTrack()), sequencesOf(g.sequences()));
    };
    ASSERT_EQ(a->Groups().Count(), b->Groups().Count());
    for (const auto& ga : a->groupList()) {
        const auto gb = b->group(ga->number());
        ASSERT_TRUE(gb) << ga->number();
        EXPECT_EQ(group(*gb), group(*ga)) << ga->number();
        EXPECT_TRUE(qFuzzyCompare(gb->orientation(), ga->orientation())) << ga->number();
    }
    const auto shape = [](auto& s) {
        return std::tuple(s.name(), s.parentGroup()->number(), s.dimensions(), s.offset(),
                          s.colour(), s.isVisible(), s.RefreshAlways(), s.LightLink(),
                          s.ObjectLink(), s.script());
    };
    ASSERT_EQ(a->Shapes().Count(), b->Shapes().Count());
    for (const auto& sa : a->shapeList()) {
        const auto sb = b->shape(sa->code());
        ASSERT_TRUE(sb) << sa->code();
        EXPECT_EQ(shape(*sb), shape(*sa)) << sa->code();
    }
    ASSERT_EQ(a->Lights().Count(), b->Lights().Count());
    for (const auto& la : a->lightList()) {
        const auto lb = b->light(la->code());
        ASSERT_TRUE(lb) << la->code();
        EXPECT_EQ(std::tuple(lb->name(), lb->state(), keysOf(lb->keyTrack())),
                  std::tuple(la->name(), la->state(), keysOf(la->keyTrack())));
    }
    const auto camera = [](auto& c) {
        return std::tuple(c.parentGroup()->number(), c.fieldOfView(), c.script(),
                          keysOf(c.keyTrack()));
    };
    EXPECT_EQ(camera(*b->animationCamera()), camera(*a->animationCamera()));
    EXPECT_EQ(b->animationCamera()->marker()->parentGroup(), b->animationCamera()->parentGroup());

    const auto operation = [](auto& scene, auto& o) {
        return std::tuple(o.name(), o.type(), o.component()->code(), codeOf(o.target()), o.amount(),
                          o.tint(), keysOf(o.keyTrack()), sequencesOf(o.sequences()),
                          scene.OperationIndex(o.component()->code()));
    };
    ASSERT_EQ(a->Operations().Count(), b->Operations().Count());
    for (const auto& oa : a->operationList()) {
        const auto ob = b->operation(oa->number());
        ASSERT_TRUE(ob) << oa->number();
        EXPECT_EQ(operation(*b, *ob), operation(*a, *oa)) << oa->number();
    }
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

// The demo scene saved; a file edited from it.
class SceneFiles : public ::testing::Test
{
protected:
    void SetUp() override
    {
        buildScene(source);
        source.saveScene(path("good.json"));
        QFile in(path("good.json"));
        ASSERT_TRUE(in.open(QIODevice::ReadOnly));
        good = in.readAll();
    }

    QString path(const char* name) const { return folder.filePath(QString::fromLatin1(name)); }

    QString edited(const Edit& edit)
    {
        QByteArray bytes = good;
        edit(bytes);
        QFile out(path("edited.json"));
        EXPECT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(bytes);
        return out.fileName();
    }

    QTemporaryDir folder;
    SceneGraph source;
    QByteArray good;
};

TEST_F(SceneFiles, RoundTripKeepsEveryMemberAndVersionOneFilesStillOpen)
{
    SceneGraph loaded;
    loaded.openScene(path("good.json"));
    expectSameScene(source, loaded);
    EXPECT_EQ(loaded.scene()->group(7)->LookAtID(), 4);

    // Files from before operations and sequences carry neither.
    SceneGraph old;
    old.openScene(edited(editJson([](QJsonObject& root) {
        root[QStringLiteral("version")] = 1;
        root.remove(QStringLiteral("operations"));
    })));
    const auto group = old.scene()->group(1);
    EXPECT_EQ(std::tuple(old.scene()->Operations().Count(), group->sequences().sequences().size(),
                         keysOf(group->keyTrack())),
              std::tuple(0, 0u, keysOf(source.scene()->group(1)->keyTrack())));
}

TEST_F(SceneFiles, BadFilesAreRefusedWholeAndTheOpenSceneStays)
{
    SceneGraph graph;
    graph.openScene(path("good.json"));
    const auto before = graph.scene();

    const auto expectRefused = [&](const QString& file, int number, const char* part) {
        SCOPED_TRACE(part);
        try {
            graph.openScene(file);
            ADD_FAILURE() << "accepted";
        } catch (const Error& error) {
            EXPECT_EQ(error.number(), number);
            EXPECT_TRUE(error.description().contains(QString::fromUtf8(part)))
                << error.description().toStdString();
        }
        EXPECT_EQ(graph.scene(), before);
        expectSameScene(source, graph);
    };
    expectRefused(path("missing.json"), ErrorNumber::FileNotFound, "File not found");

    const QJsonValue removed(QJsonValue::Undefined);
    // Each row spoils the saved file one way; the reader refuses it with the message part.
    // clang-format off
    const std::pair<Edit, const char*> rows[] = {
        {truncateAt(0.0), "at offset"},
        {truncateAt(0.1), "at offset"},
        {truncateAt(0.5), "at offset"},
        {truncateAt(0.98), "at offset"},
        {[](QByteArray& b) { b.replace(':', '='); }, "Scene file is not valid"},
        {[](QByteArray& b) { b = "[1, 2]"; }, "expected an object, at the top level"},
        {editJson([](QJsonObject& r) { r[QStringLiteral("version")] = 99; }), "unsupported version 99, at version"},
        {editFirst("groups", "name", 5), "expected a text, at groups[0].name"},
        {editFirst("groups", "position", removed), "missing member \"position\", at groups[0]"},
        {editFirst("groups", "parent", 7), "no group 7, at groups[0].parent"},
        {editFirst("groups", "number", 1.5), "expected a whole number, at groups[0].number"},
        {[](QByteArray& b) { b.replace("\"frame\": 12.5", "\"frame\": \"twelve\""); }, "expected a number, at groups[0].animation.keys[1].frame"},
        {editFirst("shapes", "kind", 99), "unknown shape kind 99, at shapes[0].kind"},
        {editFirst("shapes", "kind", 60), "unknown shape kind 60"},
        {editFirst("shapes", "dimensions", QJsonArray{1, -1, 1}), "at shapes[0].dimensions"},
        {editJson([](QJsonObject& r) { r[QStringLiteral("lights")] = QJsonArray{r.value(QStringLiteral("lights"))[0], r.value(QStringLiteral("lights"))[0]}; }), "at lights[1].number"},
        {editJson([](QJsonObject& r) { r.remove(QStringLiteral("camera")); }), "missing member \"camera\""},
        {editFirst("operations", "component", 1), "no operation component 1, at operations[0].component"},
        {editFirst("operations", "target", 311), "no shape 311, at operations[0].target"},
        {editFirst("operations", "type", 9), "at operations[0]"},
        {editFirst("operations", "number", 0), "operation numbers start at 1, at operations[0].number"},
        {editFirst("operations", "sequences", QJsonArray{QJsonObject{}}), "missing member \"name\", at operations[0].sequences[0]"},
    };
    // clang-format on
    for (const auto& [edit, part] : rows)
        expectRefused(edited(edit), ErrorNumber::InvalidPropertyValue, part);
}

} // namespace
