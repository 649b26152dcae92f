#pragma once

#include <QWidget>
#include <array>
#include <memory>

class QDoubleSpinBox;
class QLabel;

namespace vellum::sg {
class Group;
}

namespace vellum::studio {

// Shows and edits the pose of one group: position and rotation (pitch, yaw, roll in degrees)
// relative to its parent.
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
    // Shows the group's pose again (it moved along its keys).
    void refresh();
    QDoubleSpinBox* field(Field field) const { return m_fields.at(field); }

signals:
    // The user moved the group.
    void poseEdited();

private:
    QDoubleSpinBox* addField(Field field, double range, double step, const QString& suffix);
    void applyFields();

    std::weak_ptr<sg::Group> m_group;
    QLabel* m_title = nullptr;
    std::array<QDoubleSpinBox*, FieldCount> m_fields{};
    bool m_updating = false;
};

} // namespace vellum::studio
