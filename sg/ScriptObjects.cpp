#include "ScriptObjects.h"

#include "Camera.h"
#include "Group.h"
#include "Light.h"
#include "Shape.h"

namespace vellum::sg {

QString GroupFacade::name() const
{
    const Group* group = require(m_group);
    return group ? group->name() : QString();
}

QString CameraFacade::name() const
{
    const Camera* camera = require(m_camera);
    return camera ? camera->name() : QString();
}

double CameraFacade::fieldOfView() const
{
    const Camera* camera = require(m_camera);
    return camera ? camera->fieldOfView() : 0.0;
}

void CameraFacade::setFieldOfView(double degrees)
{
    if (Camera* camera = require(m_camera))
        guarded([&] { camera->setFieldOfView(float(degrees)); });
}

Group* CameraFacade::poseGroup() const
{
    const Camera* camera = require(m_camera);
    return camera ? require(camera->parentGroup()) : nullptr;
}

QString LightFacade::name() const
{
    const Light* light = require(m_light);
    return light ? light->name() : QString();
}

std::optional<QColor> LightFacade::colour() const
{
    const Light* light = require(m_light);
    return light ? std::optional(light->colour()) : std::nullopt;
}

void LightFacade::changeColour(const QColor& colour)
{
    m_light->setColour(colour);
}

double LightFacade::intensity() const
{
    const Light* light = require(m_light);
    return light ? light->intensity() : 0.0;
}

void LightFacade::setIntensity(double intensity)
{
    if (Light* light = require(m_light))
        guarded([&] { light->setIntensity(float(intensity)); });
}

QString ShapeFacade::name() const
{
    const Shape* shape = require(m_shape);
    return shape ? shape->name() : QString();
}

bool ShapeFacade::visible() const
{
    const Shape* shape = require(m_shape);
    return shape && shape->isVisible();
}

void ShapeFacade::setVisible(bool visible)
{
    if (Shape* shape = require(m_shape))
        shape->setVisible(visible);
}

std::optional<QColor> ShapeFacade::colour() const
{
    const Shape* shape = require(m_shape);
    return shape ? std::optional(shape->colour()) : std::nullopt;
}

void ShapeFacade::changeColour(const QColor& colour)
{
    m_shape->setColour(colour);
}

Shape* ShapeFacade::geometry() const
{
    Shape* shape = require(m_shape);
    if (shape && !shape->isGeometric()) {
        fail(ErrorNumber::MemberNotSupported,
             QStringLiteral("Object doesn't support this property or method"));
        return nullptr;
    }
    return shape;
}

double ShapeFacade::size(int axis) const
{
    const Shape* shape = geometry();
    return shape ? shape->dimensions()[axis] : 0.0;
}

void ShapeFacade::setSize(int axis, double value)
{
    Shape* shape = geometry();
    if (!shape)
        return;
    QVector3D dimensions = shape->dimensions();
    dimensions[axis] = float(value);
    guarded([&] { shape->setDimensions(dimensions); });
}

void ShapeFacade::scale(double factor)
{
    if (Shape* shape = geometry())
        guarded([&] { shape->setDimensions(shape->dimensions() * float(factor)); });
}

outside::ScriptObjectPtr makeScriptObject(outside::ScriptObjectClass scriptClass)
{
    switch (scriptClass) {
    case outside::ScriptObjectClass::CameraScriptObject:
        return std::make_shared<CameraScriptObject>();
    case outside::ScriptObjectClass::LightScriptObject:
        return std::make_shared<LightScriptObject>();
    case outside::ScriptObjectClass::GroupScriptObject:
        return std::make_shared<GroupScriptObject>();
    case outside::ScriptObjectClass::ShapeScriptObject:
        return std::make_shared<ShapeScriptObject>();
    }
    throw Error::invalidProcedureCall();
}

} // namespace vellum::sg
