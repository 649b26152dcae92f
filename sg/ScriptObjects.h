#pragma once

#include "ScriptFacade.h"

namespace vellum::sg {

class Camera;
class Light;
class Shape;

// What a script sees of each kind of component. Colours are red, green and blue in 0..1; a
// value a component refuses makes the script fail with the component's error number.

class GroupFacade : public PoseFacade
{
    Q_OBJECT
    Q_PROPERTY(QString name READ name)

public:
    void setComponent(std::shared_ptr<Group> group) { m_group = std::move(group); }
    QString name() const;

protected:
    Group* poseGroup() const override { return require(m_group); }

private:
    std::shared_ptr<Group> m_group;
};

// The pose is the one of the group the camera rides on.
class CameraFacade : public PoseFacade
{
    Q_OBJECT
    Q_PROPERTY(QString name READ name)
    Q_PROPERTY(double fieldOfView READ fieldOfView WRITE setFieldOfView)

public:
    void setComponent(std::shared_ptr<Camera> camera) { m_camera = std::move(camera); }
    QString name() const;
    double fieldOfView() const;
    void setFieldOfView(double degrees);

protected:
    Group* poseGroup() const override;

private:
    std::shared_ptr<Camera> m_camera;
};

class LightFacade : public ColourFacade
{
    Q_OBJECT
    Q_PROPERTY(QString name READ name)
    Q_PROPERTY(double intensity READ intensity WRITE setIntensity)

public:
    void setComponent(std::shared_ptr<Light> light) { m_light = std::move(light); }
    QString name() const;
    double intensity() const;
    void setIntensity(double intensity);

protected:
    std::optional<QColor> colour() const override;
    void changeColour(const QColor& colour) override;

private:
    std::shared_ptr<Light> m_light;
};

// sizeX, sizeY and sizeZ are the shape's dimensions, whose meaning depends on its kind; only
// geometry has them.
class ShapeFacade : public ColourFacade
{
    Q_OBJECT
    Q_PROPERTY(QString name READ name)
    Q_PROPERTY(bool visible READ visible WRITE setVisible)
    Q_PROPERTY(double sizeX READ sizeX WRITE setSizeX)
    Q_PROPERTY(double sizeY READ sizeY WRITE setSizeY)
    Q_PROPERTY(double sizeZ READ sizeZ WRITE setSizeZ)

public:
    void setComponent(std::shared_ptr<Shape> shape) { m_shape = std::move(shape); }
    QString name() const;
    bool visible() const;
    void setVisible(bool visible);
    double sizeX() const { return size(0); }
    double sizeY() const { return size(1); }
    double sizeZ() const { return size(2); }
    void setSizeX(double value) { setSize(0, value); }
    void setSizeY(double value) { setSize(1, value); }
    void setSizeZ(double value) { setSize(2, value); }
    Q_INVOKABLE void scale(double factor);

protected:
    std::optional<QColor> colour() const override;
    void changeColour(const QColor& colour) override;

private:
    double size(int axis) const;
    void setSize(int axis, double value);
    // The shape if it is geometry, or nullptr after failing with 438.
    Shape* geometry() const;

    std::shared_ptr<Shape> m_shape;
};

// One script object per kind: a facade of that kind, bound to a component of that kind.
template <typename Component, typename Facade>
class BoundScriptObject final : public ComponentScriptObject
{
public:
    QObject* facade() override { return &m_facade; }
    void bind(const std::shared_ptr<outside::Scripted>& component) override
    {
        m_facade.setComponent(std::dynamic_pointer_cast<Component>(component));
    }

private:
    Facade m_facade;
};

using GroupScriptObject = BoundScriptObject<Group, GroupFacade>;
using CameraScriptObject = BoundScriptObject<Camera, CameraFacade>;
using LightScriptObject = BoundScriptObject<Light, LightFacade>;
using ShapeScriptObject = BoundScriptObject<Shape, ShapeFacade>;

// A fresh, unbound object of the class.
outside::ScriptObjectPtr makeScriptObject(outside::ScriptObjectClass scriptClass);

} // namespace vellum::sg
