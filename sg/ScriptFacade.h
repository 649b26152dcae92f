#pragma once

#include "scripting/JsScriptObject.h"

#include <Error.h>
#include <QColor>
#include <QObject>
#include <memory>
#include <optional>

namespace vellum::sg {

class Group;

// A script object that acts for one component. The component's engine binds it just before the
// run, so the object can be made without knowing whose script will use it.
class ComponentScriptObject : public JsScriptObject
{
public:
    // A component of another kind leaves the object unbound: the script then fails with 424 at
    // its first use of the object.
    virtual void bind(const std::shared_ptr<outside::Scripted>& component) = 0;
};

// The scriptable side of a component. C++ exceptions must not cross the script engine, so a
// refusal becomes an error thrown in the running script, with the refusal's number.
class ScriptFacade : public QObject
{
    Q_OBJECT

protected:
    using QObject::QObject;

    void fail(int number, const QString& description) const;
    void fail(const Error& error) const { fail(error.number(), error.description()); }
    void failUnbound() const;
    // False, after failing with 380, for NaN and infinities.
    bool requireFinite(double value) const;
    // False, after failing with 380, for anything outside 0..1.
    bool requireUnit(double value) const;
    template <typename Change> void guarded(Change&& change) const
    {
        try {
            change();
        } catch (const Error& error) {
            fail(error);
        }
    }
    // The component, or nullptr after failing with 424.
    template <typename Component>
    Component* require(const std::shared_ptr<Component>& component) const
    {
        if (!component)
            failUnbound();
        return component.get();
    }
};

// Position and rotation of a group as a script sees them: units of the scene and Euler degrees
// (pitch about X, yaw about Y, roll about Z).
class PoseFacade : public ScriptFacade
{
    Q_OBJECT
    Q_PROPERTY(double x READ x WRITE setX)
    Q_PROPERTY(double y READ y WRITE setY)
    Q_PROPERTY(double z READ z WRITE setZ)
    Q_PROPERTY(double pitch READ pitch WRITE setPitch)
    Q_PROPERTY(double yaw READ yaw WRITE setYaw)
    Q_PROPERTY(double roll READ roll WRITE setRoll)

public:
    double x() const { return positionAxis(0); }
    double y() const { return positionAxis(1); }
    double z() const { return positionAxis(2); }
    void setX(double value) { setPositionAxis(0, value); }
    void setY(double value) { setPositionAxis(1, value); }
    void setZ(double value) { setPositionAxis(2, value); }
    double pitch() const { return angle(0); }
    double yaw() const { return angle(1); }
    double roll() const { return angle(2); }
    void setPitch(double degrees) { setAngle(0, degrees); }
    void setYaw(double degrees) { setAngle(1, degrees); }
    void setRoll(double degrees) { setAngle(2, degrees); }

    Q_INVOKABLE void setPosition(double x, double y, double z);
    Q_INVOKABLE void move(double dx, double dy, double dz);
    Q_INVOKABLE void setRotation(double pitch, double yaw, double roll);
    Q_INVOKABLE void rotate(double dPitch, double dYaw, double dRoll);

protected:
    using ScriptFacade::ScriptFacade;
    // The group that carries the pose, or nullptr after failing.
    virtual Group* poseGroup() const = 0;

private:
    double positionAxis(int axis) const;
    void setPositionAxis(int axis, double value);
    double angle(int axis) const;
    void setAngle(int axis, double degrees);
};

// The colour of a light or a shape: red, green and blue in 0..1.
class ColourFacade : public ScriptFacade
{
    Q_OBJECT
    Q_PROPERTY(double red READ red WRITE setRed)
    Q_PROPERTY(double green READ green WRITE setGreen)
    Q_PROPERTY(double blue READ blue WRITE setBlue)

public:
    double red() const { return channel(0); }
    double green() const { return channel(1); }
    double blue() const { return channel(2); }
    void setRed(double value) { setChannel(0, value); }
    void setGreen(double value) { setChannel(1, value); }
    void setBlue(double value) { setChannel(2, value); }
    Q_INVOKABLE void setColour(double red, double green, double blue);

protected:
    using ScriptFacade::ScriptFacade;
    // The component's colour, or nothing after failing.
    virtual std::optional<QColor> colour() const = 0;
    // Called only after colour() found the component.
    virtual void changeColour(const QColor& colour) = 0;

private:
    double channel(int index) const;
    void setChannel(int index, double value);
};

} // namespace vellum::sg
