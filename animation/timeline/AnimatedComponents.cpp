#include "AnimatedComponents.h"

#include "AppUtility.h"
#include "Camera.h"
#include "Enumerations.h"
#include "Group.h"
#include "ModuleState.h"
#include "Scene.h"
#include "SceneGraph.h"
#include "Shape.h"

namespace vellum::animation {

using namespace outside;

namespace {

QString itemKey(const ComponentRecord& record)
{
    return QString::number(record.id * 100 + record.kind);
}

bool isLightKind(int kind)
{
    return kind >= Kind::Light && kind <= Kind::LightLast;
}

// Lights and operations stand in the scene as shapes; their group is the shape's.
bool registerShapeComponent(SceneGraph& sceneGraph, Scene& scene, const ComponentRecord& record)
{
    const ShapePtr shape = scene.Shapes().find(itemKey(record));
    if (!shape || !shape->ParentGroup())
        return false;
    if (record.kind == Kind::Operation) {
        scene.AddAnimatedOperation(shape);
        return true;
    }
    const LightPtr light = sceneGraph.LightByLink(shape->LightLink());
    if (!light)
        return false;
    scene.AddAnimatedLight(light);
    return true;
}

bool registerCamera(SceneGraph& sceneGraph, Scene& scene, const ComponentRecord& record)
{
    const CameraPtr camera = sceneGraph.CameraByLink(record.id);
    if (!camera)
        return false;
    if (!camera->ParentGroup()) {
        appUtility().WriteLine(QStringLiteral("Error: A Camera with no group"));
        return false;
    }
    scene.AddAnimatedCamera(camera);
    return true;
}

bool registerComponent(SceneGraph& sceneGraph, Scene& scene, const ComponentRecord& record)
{
    if (record.kind == Kind::Camera)
        return registerCamera(sceneGraph, scene, record);
    if (record.kind == Kind::Operation || isLightKind(record.kind))
        return registerShapeComponent(sceneGraph, scene, record);
    return false;
}

} // namespace

void RegisterAnimatedComponents(SceneGraph& sceneGraph, Scene& scene, bool& bChanged)
{
    bChanged = false;
    scene.ClearAnimatedComponents();
    const QList<ComponentRecord> records = sceneGraph.ComponentList();
    for (const ComponentRecord& record : records)
        bChanged = registerComponent(sceneGraph, scene, record) || bChanged;
    // Groups last, once everything that rides on them is known.
    for (const ComponentRecord& record : records) {
        if (record.kind != Kind::Group)
            continue;
        if (const GroupPtr group = scene.Groups().find(itemKey(record))) {
            scene.AddAnimatedGroup(group);
            bChanged = true;
        }
    }
}

} // namespace vellum::animation
