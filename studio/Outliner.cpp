#include "Outliner.h"

#include <QHeaderView>
#include <algorithm>
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
    case sg::ShapeKind::OperationMarker:
        return Outliner::tr("Operations");
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

// What a group lists of its shapes; nullptr for light markers, which are listed with the lights.
QTreeWidgetItem* makeShapeItem(sg::Shape& shape)
{
    const QString kind = kindName(shape.kind());
    if (shape.isGeometric())
        return makeItem(Outliner::ShapeItem, shape.code(), shape.name(), kind);
    if (shape.kind() == sg::ShapeKind::CameraMarker)
        return makeItem(Outliner::CameraItem, shape.ObjectLink(), shape.name(), kind);
    if (shape.kind() == sg::ShapeKind::OperationMarker)
        return makeItem(Outliner::OperationItem, shape.code(), shape.name(), kind);
    return nullptr;
}

} // namespace

Outliner::Outliner(QWidget* parent) : QTreeWidget(parent)
{
    setObjectName(QStringLiteral("outliner"));
    setColumnCount(2);
    setHeaderLabels({tr("Component"), tr("Kind")});
    // Names first and whole: a narrow dock scrolls sideways rather than cutting them off.
    header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    header()->setStretchLastSection(true);
    header()->setSectionsMovable(false);
    // Several groups picked together (Ctrl or Shift) share the timeline.
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setUniformRowHeights(true);
    connect(this, &QTreeWidget::itemSelectionChanged, this, &Outliner::onSelectionChanged);
}

void Outliner::populate(const sg::Scene& scene)
{
    const QSignalBlocker blocker(this);
    const QTreeWidgetItem* current = currentItem();
    const int currentType = current ? current->type() : 0;
    const int currentId = current ? current->data(0, IdRole).toInt() : 0;
    clear();
    for (const auto& group : scene.rootGroup()->children())
        addGroup(invisibleRootItem(), *group);
    for (const auto& shape : scene.rootGroup()->shapes())
        if (shape->kind() == sg::ShapeKind::OperationMarker)
            addTopLevelItem(makeShapeItem(*shape));
    for (const auto& light : scene.lightList())
        addTopLevelItem(makeItem(LightItem, light->code(), light->name(), tr("Light")));
    const auto camera = scene.animationCamera();
    if (camera->parentGroup() == scene.rootGroup())
        addTopLevelItem(makeItem(CameraItem, camera->id(), camera->name(), tr("Camera")));
    expandAll();
    if (QTreeWidgetItem* item = findComponent(currentType, currentId))
        setCurrentItem(item);
}

QSize Outliner::sizeHint() const
{
    // Room for a nested name and its kind, whatever the font.
    const QSize hint = QTreeWidget::sizeHint();
    return QSize(std::max(hint.width(), fontMetrics().averageCharWidth() * 36), hint.height());
}

void Outliner::addGroup(QTreeWidgetItem* parent, const sg::Group& group)
{
    auto* item = makeItem(GroupItem, group.number(), group.name(), tr("Group"));
    parent->addChild(item);
    for (const auto& shape : group.shapes())
        if (QTreeWidgetItem* shapeItem = makeShapeItem(*shape))
            item->addChild(shapeItem);
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
    QList<int> groups;
    for (const QTreeWidgetItem* item : chosen)
        if (item->type() == GroupItem)
            groups.append(item->data(0, IdRole).toInt());
    if (chosen.size() > 1 && groups.size() == chosen.size()) {
        emit groupsChosen(groups);
        return;
    }
    // Anything else is chosen one at a time: the item clicked last.
    const QTreeWidgetItem* item =
        currentItem() && currentItem()->isSelected() ? currentItem() : chosen.first();
    emit componentChosen(item->type(), item->data(0, IdRole).toInt());
}

} // namespace vellum::studio
