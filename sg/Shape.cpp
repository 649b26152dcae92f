#include "Shape.h"

#include "Group.h"
#include "Scene.h"
#include "SgError.h"

#include <cmath>

namespace vellum::sg {

Shape::Shape(int kind, int number, QString name)
    : m_kind(kind), m_number(number), m_name(std::move(name)), m_dimensions(defaultDimensions(kind))
{
    if (!isKnownShapeKind(kind) || number < 0)
        throw Error::invalidPropertyValue();
}

Shape::~Shape() = default;

QVector3D Shape::defaultDimensions(int kind)
{
    switch (kind) {
    case ShapeKind::Box:
        return QVector3D(1.0f, 1.0f, 1.0f);
    case ShapeKind::Sphere:
        return QVector3D(0.5f, 0.0f, 0.0f);
    case ShapeKind::Cylinder:
        return QVector3D(0.5f, 1.0f, 0.0f);
    case ShapeKind::Plane:
        return QVector3D(10.0f, 0.0f, 10.0f);
    default:
        return QVector3D();
    }
}

void Shape::setParentGroup(const std::shared_ptr<Group>& group)
{
    const auto old = parentGroup();
    if (old == group)
        return;
    if (old)
        old->detachShape(this);
    m_parent = group;
    if (group)
        group->attachShape(shared_from_this());
}

void Shape::setDimensions(const QVector3D& dimensions)
{
    for (int axis = 0; axis < 3; ++axis)
        if (!std::isfinite(dimensions[axis]) || dimensions[axis] < 0.0f)
            throw Error::invalidPropertyValue();
    m_dimensions = dimensions;
}

QMatrix4x4 Shape::worldTransform() const
{
    QMatrix4x4 result;
    if (const auto group = parentGroup())
        result = group->worldTransform();
    result.translate(m_offset);
    return result;
}

outside::GroupPtr Shape::ParentGroup()
{
    return parentGroup();
}

void Shape::CopyFrom(const outside::ShapePtr& source)
{
    const auto from = std::dynamic_pointer_cast<Shape>(source);
    if (!source)
        throw objectRequired();
    if (!from)
        throw Error::typeMismatch();
    if (from.get() == this)
        return;
    const bool inScene = !m_scene.expired();
    if (inScene && from->code() != code())
        throw Error::invalidProcedureCall();

    m_kind = from->m_kind;
    m_number = from->m_number;
    m_name = from->m_name;
    m_dimensions = from->m_dimensions;
    m_offset = from->m_offset;
    m_colour = from->m_colour;
    m_texture = from->m_texture;
    m_visible = from->m_visible;
    m_refreshAlways = from->m_refreshAlways;
    m_lightLink = from->m_lightLink;
    m_objectLink = from->m_objectLink;
    m_script.setText(from->m_script.text());
    // Only a shape in the scene belongs to its group's shapes; a backup merely remembers it.
    if (inScene)
        setParentGroup(from->parentGroup());
    else
        m_parent = from->m_parent;
}

void Shape::PrepareRestore()
{
    m_script.dropEngine();
}

outside::ScriptEnginePtr Shape::ScriptEngine()
{
    const auto s = scene();
    return m_script.engine(s ? s->scriptEngineFactory() : nullptr, weak_from_this());
}

} // namespace vellum::sg
