#pragma once

#include <QWidget>
#include <array>
#include <memory>

class QDoubleSpinBox;
class QLabel;
class QStackedLayout;

namespace vellum::sg {
class Group;
class Shape;
} // namespace vellum::sg

namespace vellum::studio {

class OperationEditor;

// Shows and edits the pose of one group: position and rotation (pitch, yaw, roll in degrees)
// relative to its parent; or, for an operation component, its operations.
class PropertyEditor : public QWidget
{
    Q_OBJECT

public:
    enum Field
    {
        X,
        Y,
        Z,
        Pitch,
        Yaw,
        Roll,
        FieldCount
    };

    explicit PropertyEditor(QWidget* parent = nullptr);

    // nullptr: nothing to edit, the fields are disabled.
    void setGroup(const std::shared_ptr<sg::Group>& group);
    std::shared_ptr<sg::Group> group() const { return m_group.lock(); }
    // Shows the component's operations instead of a pose.
    void setOperationComponent(const std::shared_ptr<sg::Shape>& component);
    // Shows the group's pose or the active operation's amount again (they moved along their
    // keys).
    void refresh();
    QDoubleSpinBox* field(Field field) const { return m_fields.at(field); }
    OperationEditor* operationEditor() const { return m_operations; }

signals:
    // The user moved the group.
    void poseEdited();
    // The user changed an operation's amount.
    void operationEdited();
    void activeOperationChanged();

private:
    QWidget* makePosePage();
    QDoubleSpinBox* addField(QWidget* page, Field field, double range, double step,
                             const QString& suffix);
    void showGroup(const std::shared_ptr<sg::Group>& group);
    void applyFields();

    std::weak_ptr<sg::Group> m_group;
    QStackedLayout* m_pages = nullptr;
    QWidget* m_posePage = nullptr;
    OperationEditor* m_operations = nullptr;
    QLabel* m_title = nullptr;
    std::array<QDoubleSpinBox*, FieldCount> m_fields{};
    bool m_updating = false;
};

} // namespace vellum::studio
