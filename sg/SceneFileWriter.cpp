#include "Scene.h"
#include "SceneFile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

namespace vellum::sg {

namespace {

QJsonArray vectorJson(const QVector3D& v)
{
    return QJsonArray{v.x(), v.y(), v.z()};
}

QJsonArray quaternionJson(const QQuaternion& q)
{
    return QJsonArray{q.scalar(), q.x(), q.y(), q.z()};
}

QJsonArray keyArrayJson(const std::vector<outside::KeyRecord>& records)
{
    QJsonArray keys;
    for (const auto& key : records) {
        QJsonArray payload{key.payloadHead};
        for (float value : key.payload)
            payload.append(value);
        keys.append(QJsonObject{{QStringLiteral("frame"), key.frame},
                                {QStringLiteral("segmentStart"), key.startsSegment()},
                                {QStringLiteral("payload"), payload}});
    }
    return keys;
}

QJsonObject keysJson(const KeyTrack& track)
{
    return QJsonObject{{QStringLiteral("loopMode"), track.loopMode()},
                       {QStringLiteral("keys"), keyArrayJson(track.keys())}};
}

QJsonArray sequencesJson(const SequenceStore& store)
{
    QJsonArray sequences;
    for (const auto& sequence : store.sequences())
        sequences.append(QJsonObject{{QStringLiteral("name"), sequence.name},
                                     {QStringLiteral("keys"), keyArrayJson(sequence.keys)}});
    return sequences;
}

// Parents before children, so that reading can hang each group under one already read.
void appendGroups(const Group& parent, QJsonArray& out)
{
    for (const auto& group : parent.children()) {
        out.append(QJsonObject{
            {QStringLiteral("number"), group->number()},
            {QStringLiteral("name"), group->name()},
            {QStringLiteral("parent"), parent.number()},
            {QStringLiteral("position"), vectorJson(group->position())},
            {QStringLiteral("orientation"), quaternionJson(group->orientation())},
            {QStringLiteral("lookAt"), group->LookAtID()},
            {QStringLiteral("script"), group->script()},
            {QStringLiteral("animation"), keysJson(group->keyTrack())},
            {QStringLiteral("sequences"), sequencesJson(group->sequences())},
        });
        appendGroups(*group, out);
    }
}

QJsonArray shapesJson(const Scene& scene)
{
    QJsonArray shapes;
    for (const auto& shape : scene.shapeList()) {
        if (!shape->isGeometric() && shape->kind() != ShapeKind::OperationMarker)
            continue;
        shapes.append(QJsonObject{
            {QStringLiteral("number"), shape->number()},
            {QStringLiteral("kind"), shape->kind()},
            {QStringLiteral("name"), shape->name()},
            {QStringLiteral("group"), shape->parentGroup()->number()},
            {QStringLiteral("dimensions"), vectorJson(shape->dimensions())},
            {QStringLiteral("offset"), vectorJson(shape->offset())},
            {QStringLiteral("colour"), shape->colour().name(QColor::HexArgb)},
            {QStringLiteral("visible"), shape->isVisible()},
            {QStringLiteral("refreshAlways"), shape->RefreshAlways()},
            {QStringLiteral("script"), shape->script()},
        });
    }
    return shapes;
}

QJsonArray lightsJson(const Scene& scene)
{
    QJsonArray lights;
    for (const auto& light : scene.lightList())
        lights.append(QJsonObject{
            {QStringLiteral("number"), light->number()},
            {QStringLiteral("name"), light->name()},
            {QStringLiteral("position"), vectorJson(light->position())},
            {QStringLiteral("colour"), vectorJson(light->state().colour)},
            {QStringLiteral("intensity"), light->intensity()},
            {QStringLiteral("script"), light->script()},
            {QStringLiteral("animation"), keysJson(light->keyTrack())},
        });
    return lights;
}

QJsonArray operationsJson(const Scene& scene)
{
    QJsonArray operations;
    for (const auto& operation : scene.operationList()) {
        const auto component = operation->component();
        const auto target = operation->target();
        operations.append(QJsonObject{
            {QStringLiteral("number"), operation->number()},
            {QStringLiteral("name"), operation->name()},
            {QStringLiteral("type"), operation->type()},
            {QStringLiteral("component"), component->code()},
            {QStringLiteral("target"), target ? target->code() : 0},
            {QStringLiteral("active"), scene.activeOperation(*component) == operation},
            {QStringLiteral("amount"), operation->amount()},
            {QStringLiteral("tint"), operation->tint().name(QColor::HexArgb)},
            {QStringLiteral("animation"), keysJson(operation->keyTrack())},
            {QStringLiteral("sequences"), sequencesJson(operation->sequences())},
        });
    }
    return operations;
}

QJsonObject cameraJson(const Camera& camera)
{
    return QJsonObject{
        {QStringLiteral("group"), camera.parentGroup()->number()},
        {QStringLiteral("fieldOfView"), camera.fieldOfView()},
        {QStringLiteral("script"), camera.script()},
        {QStringLiteral("animation"), keysJson(camera.keyTrack())},
    };
}

} // namespace

void writeSceneFile(const QString& path, const SceneDocument& document)
{
    const Scene& scene = *document.scene;
    QJsonArray groups;
    appendGroups(*scene.rootGroup(), groups);
    const QJsonObject root{
        {QStringLiteral("format"), QStringLiteral("vellum-scene")},
        {QStringLiteral("version"), sceneFileVersion},
        {QStringLiteral("keys"), document.keys},
        {QStringLiteral("keysPerSecond"), document.keysPerSecond},
        {QStringLiteral("currentFrame"), document.currentFrame},
        {QStringLiteral("groups"), groups},
        {QStringLiteral("shapes"), shapesJson(scene)},
        {QStringLiteral("lights"), lightsJson(scene)},
        {QStringLiteral("operations"), operationsJson(scene)},
        {QStringLiteral("camera"), cameraJson(*scene.animationCamera())},
    };

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(QJsonDocument(root).toJson()) < 0 ||
        !file.commit())
        throw Error(
            ErrorNumber::PathFileAccess,
            QStringLiteral("Path/File access error: %1 (%2)").arg(path, file.errorString()));
}

} // namespace vellum::sg
