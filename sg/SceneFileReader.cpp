#include "ApplicationState.h"
#include "KeyTrack.h"
#include "Scene.h"
#include "SceneFile.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>
#include <limits>

namespace vellum::sg {

namespace {

[[noreturn]] void invalid(const QString& what, const QString& where)
{
    throw Error(ErrorNumber::InvalidPropertyValue,
                QStringLiteral("Scene file is not valid: %1, at %2").arg(what, where));
}

QString memberPath(const QString& where, QLatin1String name)
{
    return where.isEmpty() ? QString(name) : where + QLatin1Char('.') + name;
}

QString indexPath(const QString& where, qsizetype index)
{
    return where + QLatin1Char('[') + QString::number(index) + QLatin1Char(']');
}

// Reads one JSON object, naming the place of every fault it finds.
class ObjectReader
{
public:
    ObjectReader(const QJsonValue& value, QString where) : m_where(std::move(where))
    {
        if (!value.isObject())
            invalid(QStringLiteral("expected an object"), place());
        m_object = value.toObject();
    }

    QString place() const { return m_where.isEmpty() ? QStringLiteral("the top level") : m_where; }
    QString path(QLatin1String name) const { return memberPath(m_where, name); }

    QJsonValue member(QLatin1String name) const
    {
        const QJsonValue value = m_object.value(name);
        if (value.isUndefined())
            invalid(QStringLiteral("missing member \"%1\"").arg(name), place());
        return value;
    }

    double number(QLatin1String name) const
    {
        const QJsonValue value = member(name);
        if (!value.isDouble())
            invalid(QStringLiteral("expected a number"), path(name));
        return value.toDouble();
    }

    float single(QLatin1String name) const
    {
        const double value = number(name);
        if (std::abs(value) > double(std::numeric_limits<float>::max()))
            invalid(QStringLiteral("number out of range"), path(name));
        return float(value);
    }

    int integer(QLatin1String name) const
    {
        const double value = number(name);
        if (value != std::floor(value) || value < std::numeric_limits<int>::min() ||
            value > std::numeric_limits<int>::max())
            invalid(QStringLiteral("expected a whole number"), path(name));
        return int(value);
    }

    bool boolean(QLatin1String name) const
    {
        const QJsonValue value = member(name);
        if (!value.isBool())
            invalid(QStringLiteral("expected true or false"), path(name));
        return value.toBool();
    }

    QString text(QLatin1String name) const
    {
        const QJsonValue value = member(name);
        if (!value.isString())
            invalid(QStringLiteral("expected a text"), path(name));
        return value.toString();
    }

    QJsonArray array(QLatin1String name) const
    {
        const QJsonValue value = member(name);
        if (!value.isArray())
            invalid(QStringLiteral("expected an array"), path(name));
        return value.toArray();
    }

    std::vector<float> numbers(QLatin1String name, qsizetype count) const
    {
        const QJsonArray values = array(name);
        if (values.size() != count)
            invalid(QStringLiteral("expected %1 numbers").arg(count), path(name));
        std::vector<float> result;
        for (qsizetype i = 0; i < count; ++i) {
            if (!values[i].isDouble())
                invalid(QStringLiteral("expected a number"), indexPath(path(name), i));
            result.push_back(float(values[i].toDouble()));
        }
        return result;
    }

    QVector3D vector(QLatin1String name) const
    {
        const auto v = numbers(name, 3);
        return QVector3D(v[0], v[1], v[2]);
    }

private:
    QJsonObject m_object;
    QString m_where;
};

// Components refuse bad values themselves; the file names where the value came from.
template <typename Work> void refusedAt(const QString& where, Work&& work)
{
    try {
        work();
    } catch (const Error& error) {
        invalid(error.description(), where);
    }
}

outside::KeyRecord readKey(const ObjectReader& key)
{
    outside::KeyRecord record;
    record.frame = key.single(QLatin1String("frame"));
    record.setStartsSegment(key.boolean(QLatin1String("segmentStart")));
    const auto payload = key.numbers(QLatin1String("payload"), 6);
    record.payloadHead = payload[0];
    std::copy(payload.cbegin() + 1, payload.cend(), std::begin(record.payload));
    return record;
}

template <typename Component> void readAnimation(const ObjectReader& owner, Component& component)
{
    const ObjectReader animation(owner.member(QLatin1String("animation")),
                                 owner.path(QLatin1String("animation")));
    const int loopMode = animation.integer(QLatin1String("loopMode"));
    refusedAt(animation.path(QLatin1String("loopMode")), [&] { component.setLoopMode(loopMode); });
    const QJsonArray keys = animation.array(QLatin1String("keys"));
    for (qsizetype i = 0; i < keys.size(); ++i) {
        const ObjectReader key(keys[i], indexPath(animation.path(QLatin1String("keys")), i));
        const outside::KeyRecord record = readKey(key);
        refusedAt(key.place(), [&] { component.AddKeyFrame(record); });
    }
}

// Sequence keys are relative to where they were cut, so any finite frame will do.
void readSequences(const ObjectReader& owner, SequenceStore& store)
{
    const QJsonArray sequences = owner.array(QLatin1String("sequences"));
    for (qsizetype i = 0; i < sequences.size(); ++i) {
        const ObjectReader in(sequences[i], indexPath(owner.path(QLatin1String("sequences")), i));
        SequenceStore::Sequence sequence{in.text(QLatin1String("name")), {}};
        const QJsonArray keys = in.array(QLatin1String("keys"));
        for (qsizetype k = 0; k < keys.size(); ++k)
            sequence.keys.push_back(
                readKey(ObjectReader(keys[k], indexPath(in.path(QLatin1String("keys")), k))));
        store.add(std::move(sequence));
    }
}

std::shared_ptr<Group> existingGroup(const Scene& scene, int number, const QString& where)
{
    const auto group = number == 0 ? scene.rootGroup() : scene.group(number);
    if (!group)
        invalid(QStringLiteral("no group %1").arg(number), where);
    return group;
}

void readGroups(const ObjectReader& root, Scene& scene, int version)
{
    const QJsonArray groups = root.array(QLatin1String("groups"));
    for (qsizetype i = 0; i < groups.size(); ++i) {
        const ObjectReader in(groups[i], indexPath(QStringLiteral("groups"), i));
        const int number = in.integer(QLatin1String("number"));
        const auto parent = existingGroup(scene, in.integer(QLatin1String("parent")),
                                          in.path(QLatin1String("parent")));
        std::shared_ptr<Group> group;
        refusedAt(in.path(QLatin1String("number")),
                  [&] { group = scene.addGroup(number, in.text(QLatin1String("name")), parent); });
        const auto q = in.numbers(QLatin1String("orientation"), 4);
        const QQuaternion orientation(q[0], q[1], q[2], q[3]);
        if (orientation.lengthSquared() < 1e-6f)
            invalid(QStringLiteral("not a rotation"), in.path(QLatin1String("orientation")));
        group->setPose(Pose{in.vector(QLatin1String("position")), orientation});
        const int lookAt = in.integer(QLatin1String("lookAt"));
        refusedAt(in.path(QLatin1String("lookAt")), [&] { group->setLookAtId(lookAt); });
        group->setScript(in.text(QLatin1String("script")));
        readAnimation(in, *group);
        if (version >= 2)
            readSequences(in, group->sequences());
    }
}

QColor colourAt(const ObjectReader& in, QLatin1String name)
{
    const QColor colour = QColor::fromString(in.text(name));
    if (!colour.isValid())
        invalid(QStringLiteral("not a colour"), in.path(name));
    return colour;
}

void readShapes(const ObjectReader& root, Scene& scene)
{
    const QJsonArray shapes = root.array(QLatin1String("shapes"));
    for (qsizetype i = 0; i < shapes.size(); ++i) {
        const ObjectReader in(shapes[i], indexPath(QStringLiteral("shapes"), i));
        const int kind = in.integer(QLatin1String("kind"));
        const bool component = kind == ShapeKind::OperationMarker;
        if (!isGeometricKind(kind) && !component)
            invalid(QStringLiteral("unknown shape kind %1").arg(kind),
                    in.path(QLatin1String("kind")));
        const int number = in.integer(QLatin1String("number"));
        if (number < 1)
            invalid(QStringLiteral("shape numbers start at 1"), in.path(QLatin1String("number")));
        const auto group = existingGroup(scene, in.integer(QLatin1String("group")),
                                         in.path(QLatin1String("group")));
        std::shared_ptr<Shape> shape;
        refusedAt(in.path(QLatin1String("number")), [&] {
            const QString name = in.text(QLatin1String("name"));
            shape = component ? scene.addOperationComponent(name, group, number)
                              : scene.addShape(kind, name, group, number);
        });
        const QVector3D dimensions = in.vector(QLatin1String("dimensions"));
        refusedAt(in.path(QLatin1String("dimensions")), [&] { shape->setDimensions(dimensions); });
        shape->setOffset(in.vector(QLatin1String("offset")));
        shape->setColour(colourAt(in, QLatin1String("colour")));
        shape->setVisible(in.boolean(QLatin1String("visible")));
        shape->setRefreshAlways(in.boolean(QLatin1String("refreshAlways")));
        shape->setScript(in.text(QLatin1String("script")));
    }
}

void readLights(const ObjectReader& root, Scene& scene)
{
    const QJsonArray lights = root.array(QLatin1String("lights"));
    for (qsizetype i = 0; i < lights.size(); ++i) {
        const ObjectReader in(lights[i], indexPath(QStringLiteral("lights"), i));
        const int number = in.integer(QLatin1String("number"));
        std::shared_ptr<Light> light;
        refusedAt(in.path(QLatin1String("number")),
                  [&] { light = scene.addLight(number, in.text(QLatin1String("name"))); });
        light->setPosition(in.vector(QLatin1String("position")));
        const QVector3D colour = in.vector(QLatin1String("colour"));
        for (int c = 0; c < 3; ++c)
            if (colour[c] < 0.0f || colour[c] > 1.0f)
                invalid(QStringLiteral("colour outside 0..1"), in.path(QLatin1String("colour")));
        light->setColour(QColor::fromRgbF(colour.x(), colour.y(), colour.z()));
        const float intensity = in.single(QLatin1String("intensity"));
        refusedAt(in.path(QLatin1String("intensity")), [&] { light->setIntensity(intensity); });
        light->setScript(in.text(QLatin1String("script")));
        readAnimation(in, *light);
    }
}

std::shared_ptr<Shape> shapeAt(const ObjectReader& in, QLatin1String name, const Scene& scene,
                               bool component)
{
    const int code = in.integer(name);
    const auto shape = scene.shape(code);
    if (!shape || (shape->kind() == ShapeKind::OperationMarker) != component)
        invalid(
            QStringLiteral("no %1 %2")
                .arg(component ? QStringLiteral("operation component") : QStringLiteral("shape"))
                .arg(code),
            in.path(name));
    return shape;
}

void readOperation(const ObjectReader& in, Scene& scene)
{
    const auto component = shapeAt(in, QLatin1String("component"), scene, true);
    const bool bound = in.integer(QLatin1String("target")) != 0;
    const auto target = bound ? shapeAt(in, QLatin1String("target"), scene, false) : nullptr;
    const int number = in.integer(QLatin1String("number"));
    if (number < 1)
        invalid(QStringLiteral("operation numbers start at 1"), in.path(QLatin1String("number")));
    const int type = in.integer(QLatin1String("type"));
    std::shared_ptr<Operation> operation;
    refusedAt(in.place(), [&] {
        operation =
            scene.addOperation(component, type, in.text(QLatin1String("name")), target, number);
    });
    const float amount = in.single(QLatin1String("amount"));
    refusedAt(in.path(QLatin1String("amount")), [&] { operation->setAmount(amount); });
    operation->setTint(colourAt(in, QLatin1String("tint")));
    if (in.boolean(QLatin1String("active")))
        scene.setActiveOperation(operation);
    readAnimation(in, *operation);
    readSequences(in, operation->sequences());
}

void readOperations(const ObjectReader& root, Scene& scene)
{
    const QJsonArray operations = root.array(QLatin1String("operations"));
    for (qsizetype i = 0; i < operations.size(); ++i)
        readOperation(ObjectReader(operations[i], indexPath(QStringLiteral("operations"), i)),
                      scene);
}

void readCamera(const ObjectReader& root, Scene& scene)
{
    const ObjectReader in(root.member(QLatin1String("camera")), QStringLiteral("camera"));
    const auto camera = scene.animationCamera();
    camera->setParentGroup(
        existingGroup(scene, in.integer(QLatin1String("group")), in.path(QLatin1String("group"))));
    const float fieldOfView = in.single(QLatin1String("fieldOfView"));
    refusedAt(in.path(QLatin1String("fieldOfView")), [&] { camera->setFieldOfView(fieldOfView); });
    camera->setScript(in.text(QLatin1String("script")));
    readAnimation(in, *camera);
}

QByteArray readBytes(const QString& path)
{
    if (!QFileInfo::exists(path))
        throw Error(ErrorNumber::FileNotFound, QStringLiteral("File not found: %1").arg(path));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(
            ErrorNumber::PathFileAccess,
            QStringLiteral("Path/File access error: %1 (%2)").arg(path, file.errorString()));
    return file.readAll();
}

} // namespace

SceneDocument readSceneFile(const QString& path)
{
    QJsonParseError parseError;
    const QJsonDocument json = QJsonDocument::fromJson(readBytes(path), &parseError);
    if (parseError.error != QJsonParseError::NoError)
        invalid(parseError.errorString(), QStringLiteral("offset %1").arg(parseError.offset));
    if (!json.isObject())
        invalid(QStringLiteral("expected an object"), QStringLiteral("the top level"));
    const ObjectReader root(json.object(), QString());
    if (root.text(QLatin1String("format")) != QLatin1String("vellum-scene"))
        invalid(QStringLiteral("not a scene file"), root.path(QLatin1String("format")));
    const int version = root.integer(QLatin1String("version"));
    if (version < 1 || version > sceneFileVersion)
        invalid(QStringLiteral("unsupported version %1").arg(version),
                root.path(QLatin1String("version")));

    SceneDocument document;
    document.keys = root.integer(QLatin1String("keys"));
    if (document.keys < 0 || document.keys > ApplicationState::maxKeys)
        invalid(QStringLiteral("frame count not in 0 to %1").arg(ApplicationState::maxKeys),
                root.path(QLatin1String("keys")));
    document.keysPerSecond = root.single(QLatin1String("keysPerSecond"));
    if (document.keysPerSecond < 0.0f ||
        document.keysPerSecond > ApplicationState::maxKeysPerSecond)
        invalid(QStringLiteral("frame rate not in 0 to %1").arg(ApplicationState::maxKeysPerSecond),
                root.path(QLatin1String("keysPerSecond")));
    document.currentFrame = root.single(QLatin1String("currentFrame"));
    if (!isKeyFrame(document.currentFrame))
        invalid(QStringLiteral("frame not in 0 to %1").arg(maxKeyFrame),
                root.path(QLatin1String("currentFrame")));

    document.scene = Scene::create();
    readGroups(root, *document.scene, version);
    readShapes(root, *document.scene);
    readLights(root, *document.scene);
    readCamera(root, *document.scene);
    if (version >= 2)
        readOperations(root, *document.scene);
    return document;
}

} // namespace vellum::sg
