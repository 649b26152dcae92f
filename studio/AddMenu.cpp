#include "AddMenu.h"

#include "Outliner.h"

#include <QColor>
#include <QCoreApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QVector3D>
#include <algorithm>
#include <sg/Scene.h>
#include <sg/ShapeKind.h>

namespace vellum::studio {

namespace {

struct ShapeDefaults
{
    Addition addition;
    int kind;
    const char* name;
    const char* actionName;
    QVector3D dimensions;
    QColor colour;
};

const ShapeDefaults shapeDefaults[] = {
    {Addition::Box, sg::ShapeKind::Box, QT_TRANSLATE_NOOP("AddMenu", "Box"), "actAddBox",
     QVector3D(1.0f, 1.0f, 1.0f), QColor(236, 112, 88)},
    {Addition::Sphere, sg::ShapeKind::Sphere, QT_TRANSLATE_NOOP("AddMenu", "Sphere"),
     "actAddSphere", QVector3D(0.5f, 0.0f, 0.0f), QColor(72, 168, 224)},
    {Addition::Cylinder, sg::ShapeKind::Cylinder, QT_TRANSLATE_NOOP("AddMenu", "Cylinder"),
     "actAddCylinder", QVector3D(0.4f, 1.0f, 0.0f), QColor(246, 196, 72)},
    {Addition::Plane, sg::ShapeKind::Plane, QT_TRANSLATE_NOOP("AddMenu", "Plane"), "actAddPlane",
     QVector3D(4.0f, 0.0f, 4.0f), QColor(104, 122, 110)},
};

QString tr(const char* text)
{
    return QCoreApplication::translate("AddMenu", text);
}

int nextLightNumber(const sg::Scene& scene)
{
    int highest = 0;
    for (const auto& light : scene.lightList())
        highest = std::max(highest, light->number());
    return highest + 1;
}

} // namespace

Added addToScene(sg::Scene& scene, Addition what)
{
    if (what == Addition::PointLight) {
        const int number = nextLightNumber(scene);
        const auto light = scene.addLight(number, tr("Light %1").arg(number));
        return {Outliner::LightItem, light->code()};
    }
    const auto defaults =
        std::find_if(std::begin(shapeDefaults), std::end(shapeDefaults),
                     [what](const auto& entry) { return entry.addition == what; });
    const int number = scene.nextGroupNumber();
    const QString name = QStringLiteral("%1 %2").arg(tr(defaults->name)).arg(number);
    const auto group = scene.addGroup(number, name);
    const auto shape = scene.addShape(defaults->kind, name, group);
    shape->setDimensions(defaults->dimensions);
    shape->setColour(defaults->colour);
    return {Outliner::GroupItem, number};
}

QMenu* addAddMenu(QMainWindow& window, std::function<void(Addition)> add)
{
    QMenu* menu = window.menuBar()->addMenu(tr("&Add"));
    menu->setObjectName(QStringLiteral("mnuAdd"));
    for (const ShapeDefaults& entry : shapeDefaults) {
        const Addition addition = entry.addition;
        menu->addAction(tr(entry.name), &window, [add, addition] { add(addition); })
            ->setObjectName(QLatin1StringView(entry.actionName));
    }
    menu->addSeparator();
    menu->addAction(tr("Point &Light"), &window, [add] { add(Addition::PointLight); })
        ->setObjectName(QStringLiteral("actAddPointLight"));
    return menu;
}

} // namespace vellum::studio
