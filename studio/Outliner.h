#pragma once

#include <QTreeWidget>

namespace vellum::sg {
class Group;
class Scene;
} // namespace vellum::sg

namespace vellum::studio {

// The scene as a tree: groups with their shapes, operation components and child groups, the
// animation camera on its group, and the lights. Items carry their component's kind (the item
// type) and number or code.
class Outliner : public QTreeWidget
{
    Q_OBJECT

public:
    enum ItemType
    {
        GroupItem = QTreeWidgetItem::UserType + 1,
        ShapeItem,
        LightItem,
        CameraItem,
        OperationItem
    };
    static constexpr int IdRole = Qt::UserRole;

    explicit Outliner(QWidget* parent = nullptr);

    // Lists the scene anew, keeping the current item where it still exists.
    void populate(const sg::Scene& scene);
    // Marks the item without announcing it (the selection came from elsewhere); none for nullptr.
    void showCurrent(int type, int id);
    QTreeWidgetItem* findComponent(int type, int id) const;

    QSize sizeHint() const override;

signals:
    // The user chose an item: a group number, a shape, light or operation component code, or a
    // camera ID.
    void componentChosen(int type, int id);
    // Several groups chosen together, by number.
    void groupsChosen(const QList<int>& numbers);

private:
    void addGroup(QTreeWidgetItem* parent, const sg::Group& group);
    void onSelectionChanged();

    bool m_showing = false;
};

} // namespace vellum::studio
