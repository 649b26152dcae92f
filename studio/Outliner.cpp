#include "Outliner.h"

#include <QHeaderView>
#include <sg/Scene.h>

namespace vellum::studio {

namespace {

QString kindName(int shapeKind)
{
    switch (shapeKind) {
    case sg::ShapeKind::Box:
        return Outliner::tr("Box");
    case sg::ShapeKind::Sphere:
        return Outliner::tr("Sphere");
    case sg::ShapeKind::Cylinder:
        return Outliner::tr("Cylinder");
    case sg::ShapeKind::Plane:
        return Outliner::tr("Plane");
    case sg::ShapeKind::CameraMarker:
        return Outliner::tr("Camera");
    default:
        return Outliner::tr("Light");
    }
}

QTreeWidgetItem* makeItem(int type, int id, const QString& name, const QString& kind)
{
    auto* item = new QTreeWidgetItem({name, kind}, type);
    item->setData(0, Outliner::IdRole, id);
    return item;
}

} // namespace

Outliner::Outliner(QWidget* parent) : QTreeWidget(parent)
{
    setObjectName(QStringLiteral("outliner"));
    setColumnCount(2);
    setHeaderLabels({tr("Component"), tr("Kind")});
    header()->setSectionResizeMode(0, QHeaderView::Stretch);
    header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    header()->setStretchLastSection(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformRowHeights(true);
    connect(this, &QTreeWidget::itemSelectionChanged, this, &Outliner::onSelectionChanged);
}

void Outliner::populate(const sg::Scene& scene)
{
    const QSignalBlocker blocker(this);
    clear();
    for (const auto& group : scene.rootGroup()->children())
        addGroup(invisibleRootItem(), *group);
    for (const auto& light : scene.lightList())
        addTopLevelItem(makeItem(LightItem, light->code(), light->name(), tr("Light")));
    const auto camera = scene.animationCamera();
    if (camera->parentGroup() == scene.rootGroup())
        addTopLevelItem(makeItem(CameraItem, camera->id(), camera->name(), tr("Camera")));
    expandAll();
}

void Outliner::addGroup(QTreeWidgetItem* parent, const sg::Group& group)
{
    auto* item = makeItem(GroupItem, group.number(), group.name(), tr("Group"));
    parent->addChild(item);
    for (const auto& shape : group.shapes()) {
        if (shape->isGeometric())
            item->addChild(
                makeItem(ShapeItem, shape->code(), shape->name(), kindName(shape->kind())));
        else if (shape->kind() == sg::ShapeKind::CameraMarker)
            item->addChild(
                makeItem(CameraItem, shape->ObjectLink(), shape->name(), kindName(shape->kind())));
    }
    for (const auto& child : group.children())
        addGroup(item, *child);
}

QTreeWidgetItem* Outliner::findComponent(int type, int id) const
{
    for (QTreeWidgetItemIterator it(const_cast<Outliner*>(this)); *it; ++it) {
        if ((*it)->type() == type && (*it)->data(0, IdRole).toInt() == id)
            return *it;
    }
    return nullptr;
}

void Outliner::showCurrent(int type, int id)
{
    m_showing = true;
    QTreeWidgetItem* item = findComponent(type, id);
    if (item)
        setCurrentItem(item);
    else
        clearSelection();
    m_showing = false;
}

void Outliner::onSelectionChanged()
{
    if (m_showing)
        return;
    const QList<QTreeWidgetItem*> chosen = selectedItems();
    if (chosen.isEmpty())
        return;
    emit componentChosen(chosen.first()->type(), chosen.first()->data(0, IdRole).toInt());
}

} // namespace vellum::studio
