#pragma once

#include "Camera.h"
#include "Group.h"
#include "Light.h"
#include "Scene.h"
#include "Shape.h"

#include <QString>
#include <cstdint>

namespace vellum::animation {

// What differs between the four kinds of component that carry a script: the entry the script
// must offer, the script object it receives, how messages name it, the editor's title, and how the
// scene hears of an edited script.
template <typename Component> struct ScriptKind;

template <> struct ScriptKind<outside::Camera>
{
    static QString entry() { return QStringLiteral("AnimateCamera"); }
    static constexpr auto objectClass = outside::ScriptObjectClass::CameraScriptObject;
    static QString subject(outside::Camera&) { return QStringLiteral("the animation camera"); }
    static QString editorTitle(outside::Camera&) { return QStringLiteral("Animation Camera"); }
    static void notifyScene(outside::Scene& scene, const outside::CameraPtr& camera,
                            std::int32_t /*device*/)
    {
        scene.CameraScriptChanged(camera);
    }
    // The camera's runner keeps its caller's flag as it was after an edit.
    static constexpr bool reportsEdit = false;
};

template <> struct ScriptKind<outside::Light>
{
    static QString entry() { return QStringLiteral("AnimateLight"); }
    static constexpr auto objectClass = outside::ScriptObjectClass::LightScriptObject;
    static QString subject(outside::Light& light)
    {
        return QStringLiteral("light \"%1\"").arg(light.Name());
    }
    static QString editorTitle(outside::Light& light) { return light.Name(); }
    static void notifyScene(outside::Scene& scene, const outside::LightPtr& light,
                            std::int32_t /*device*/)
    {
        scene.LightScriptChanged(light);
    }
    static constexpr bool reportsEdit = true;
};

template <> struct ScriptKind<outside::Group>
{
    static QString entry() { return QStringLiteral("AnimateGroup"); }
    static constexpr auto objectClass = outside::ScriptObjectClass::GroupScriptObject;
    static QString subject(outside::Group& group)
    {
        return QStringLiteral("group \"%1\"").arg(group.Name());
    }
    static QString editorTitle(outside::Group& group) { return group.Name(); }
    static void notifyScene(outside::Scene& scene, const outside::GroupPtr& group,
                            std::int32_t /*device*/)
    {
        scene.GroupChanged(group);
    }
    static constexpr bool reportsEdit = true;
};

template <> struct ScriptKind<outside::Shape>
{
    static QString entry() { return QStringLiteral("AnimateShape"); }
    static constexpr auto objectClass = outside::ScriptObjectClass::ShapeScriptObject;
    static QString subject(outside::Shape& shape)
    {
        return QStringLiteral("shape \"%1\"").arg(shape.Name());
    }
    static QString editorTitle(outside::Shape& shape) { return shape.Name(); }
    static void notifyScene(outside::Scene& scene, const outside::ShapePtr& shape,
                            std::int32_t device)
    {
        scene.ShapeScriptChanged(device, shape);
    }
    static constexpr bool reportsEdit = true;
};

} // namespace vellum::animation
