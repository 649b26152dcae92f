#include "ScriptFacade.h"

#include "Group.h"

#include <QJSEngine>
#include <cmath>

namespace vellum::sg {

void ScriptFacade::fail(int number, const QString& description) const
{
    QJSEngine* engine = qjsEngine(this);
    if (!engine)
        return;
    QJSValue error = engine->newErrorObject(QJSValue::GenericError, description);
    error.setProperty(QStringLiteral("number"), number);
    engine->throwError(error);
}

void ScriptFacade::failUnbound() const
{
    fail(ErrorNumber::ObjectRequired, QStringLiteral("Object required"));
}

bool ScriptFacade::requireFinite(double value) const
{
    if (std::isfinite(value))
        return true;
    fail(Error::invalidPropertyValue());
    return false;
}

bool ScriptFacade::requireUnit(double value) const
{
    if (value >= 0.0 && value <= 1.0)
        return true;
    fail(Error::invalidPropertyValue());
    return false;
}

double ColourFacade::channel(int index) const
{
    const std::optional<QColor> now = colour();
    if (!now)
        return 0.0;
    const float channels[] = {now->redF(), now->greenF(), now->blueF()};
    return channels[index];
}

void ColourFacade::setChannel(int index, double value)
{
    const std::optional<QColor> now = colour();
    if (!now || !requireUnit(value))
        return;
    float channels[] = {now->redF(), now->greenF(), now->blueF()};
    channels[index] = float(value);
    changeColour(QColor::fromRgbF(channels[0], channels[1], channels[2]));
}

void ColourFacade::setColour(double red, double green, double blue)
{
    if (colour() && requireUnit(red) && requireUnit(green) && requireUnit(blue))
        changeColour(QColor::fromRgbF(float(red), float(green), float(blue)));
}

double PoseFacade::positionAxis(int axis) const
{
    const Group* group = poseGroup();
    return group ? group->position()[axis] : 0.0;
}

void PoseFacade::setPositionAxis(int axis, double value)
{
    Group* group = poseGroup();
    if (!group || !requireFinite(value))
        return;
    QVector3D position = group->position();
    position[axis] = float(value);
    group->setPosition(position);
}

void PoseFacade::setPosition(double x, double y, double z)
{
    Group* group = poseGroup();
    if (group && requireFinite(x) && requireFinite(y) && requireFinite(z))
        group->setPosition(QVector3D(float(x), float(y), float(z)));
}

void PoseFacade::move(double dx, double dy, double dz)
{
    Group* group = poseGroup();
    if (group && requireFinite(dx) && requireFinite(dy) && requireFinite(dz))
        group->setPosition(group->position() + QVector3D(float(dx), float(dy), float(dz)));
}

double PoseFacade::angle(int axis) const
{
    const Group* group = poseGroup();
    return group ? group->orientation().toEulerAngles()[axis] : 0.0;
}

void PoseFacade::setAngle(int axis, double degrees)
{
    Group* group = poseGroup();
    if (!group || !requireFinite(degrees))
        return;
    QVector3D angles = group->orientation().toEulerAngles();
    angles[axis] = float(degrees);
    group->setOrientation(QQuaternion::fromEulerAngles(angles));
}

void PoseFacade::setRotation(double pitch, double yaw, double roll)
{
    Group* group = poseGroup();
    if (group && requireFinite(pitch) && requireFinite(yaw) && requireFinite(roll))
        group->setOrientation(QQuaternion::fromEulerAngles(float(pitch), float(yaw), float(roll)));
}

void PoseFacade::rotate(double dPitch, double dYaw, double dRoll)
{
    Group* group = poseGroup();
    if (!group || !requireFinite(dPitch) || !requireFinite(dYaw) || !requireFinite(dRoll))
        return;
    const QVector3D angles =
        group->orientation().toEulerAngles() + QVector3D(float(dPitch), float(dYaw), float(dRoll));
    group->setOrientation(QQuaternion::fromEulerAngles(angles));
}

} // namespace vellum::sg
