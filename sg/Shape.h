#pragma once

#include "ScriptSlot.h"
#include "ShapeKind.h"
#include "VellumSGExport.h"
#include "scripting/ScriptHolder.h"

#include <QColor>
#include <QMatrix4x4>
#include <QVector3D>
#include <outside/Shape.h>
#include <utility>

namespace vellum::sg {

class Group;
class Scene;

// A component placed in a group: a piece of geometry, or a marker standing for a light or the
// animation camera so that selecting those selects a component.
class VELLUMSG_EXPORT Shape : public outside::Shape,
                              public ScriptHolder,
                              public std::enable_shared_from_this<Shape>
{
public:
    // A shape in no group and no scene; refuses an unknown kind.
    Shape(int kind, int number, QString name);
    ~Shape() override;

    int kind() const { return m_kind; }
    int number() const { return m_number; }
    int code() const { return m_number * 100 + m_kind; }
    const QString& name() const { return m_name; }
    void setName(const QString& name) { m_name = name; }
    bool isGeometric() const { return isGeometricKind(m_kind); }

    std::shared_ptr<Group> parentGroup() const { return m_parent.lock(); }
    // Moves the shape into the group's shapes.
    void setParentGroup(const std::shared_ptr<Group>& group);

    // Meaning per kind: see ShapeKind. Refuses negative or non-finite sizes.
    QVector3D dimensions() const { return m_dimensions; }
    void setDimensions(const QVector3D& dimensions);
    // Where the shape sits in its group.
    QVector3D offset() const { return m_offset; }
    void setOffset(const QVector3D& offset) { m_offset = offset; }
    QColor colour() const { return m_colour; }
    void setColour(const QColor& colour) { m_colour = colour; }
    // An image file wrapped round the shape in raytraced pictures; empty for plain colour.
    const QString& texture() const { return m_texture; }
    void setTexture(const QString& imagePath) { m_texture = imagePath; }
    bool isVisible() const { return m_visible; }
    void setVisible(bool visible) { m_visible = visible; }
    void setRefreshAlways(bool refreshAlways) { m_refreshAlways = refreshAlways; }
    void setLightLink(int lightCode) { m_lightLink = lightCode; }
    void setObjectLink(int objectId) { m_objectLink = objectId; }
    const QString& script() const { return m_script.text(); }
    void setScript(const QString& script) override { m_script.setText(script); }
    bool hasScriptEngine() const { return m_script.hasEngine(); }

    // The group's world transform followed by the offset.
    QMatrix4x4 worldTransform() const;

    std::shared_ptr<Scene> scene() const { return m_scene.lock(); }
    void setScene(const std::weak_ptr<Scene>& scene) { m_scene = scene; }

    // outside::Shape
    std::int32_t Kind() override { return m_kind; }
    QString Name() override { return m_name; }
    std::int32_t Code() override { return code(); }
    outside::GroupPtr ParentGroup() override;
    std::int32_t LightLink() override { return m_lightLink; }
    std::int32_t ObjectLink() override { return m_objectLink; }
    bool RefreshAlways() override { return m_refreshAlways; }
    outside::ShapePtr AnimationBackup() override { return m_backup; }
    void setAnimationBackup(const outside::ShapePtr& backup) override
    {
        m_backup = backup;
        m_backupNoticeDue = true;
    }
    // The change notice that follows taking or restoring the backup copies no key.
    bool takeBackupNotice() { return std::exchange(m_backupNoticeDue, false); }
    // Everything the shape is, group included. A shape in a scene keeps its code there, so a
    // source with another code is refused.
    void CopyFrom(const outside::ShapePtr& source) override;
    // Drops what was built from the present state (the script engine) before a restore.
    void PrepareRestore() override;
    QString Script() override { return m_script.text(); }
    outside::ScriptEnginePtr ScriptEngine() override;

    void dropScriptEngine() { m_script.dropEngine(); }

private:
    static QVector3D defaultDimensions(int kind);

    int m_kind;
    int m_number;
    QString m_name;
    std::weak_ptr<Group> m_parent;
    QVector3D m_dimensions;
    QVector3D m_offset;
    QColor m_colour = QColor(200, 200, 200);
    QString m_texture;
    bool m_visible = true;
    bool m_refreshAlways = false;
    int m_lightLink = 0;
    int m_objectLink = 0;
    ScriptSlot m_script;
    outside::ShapePtr m_backup;
    bool m_backupNoticeDue = false;
    std::weak_ptr<Scene> m_scene;
};

} // namespace vellum::sg
