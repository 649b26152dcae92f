#pragma once

#include <QWidget>
#include <memory>

class QComboBox;
class QDoubleSpinBox;
class QLabel;

namespace vellum::sg {
class Operation;
class Shape;
} // namespace vellum::sg

namespace vellum::studio {

// Shows the operations of one operation component, lets the user choose the active one and
// edits its amount, which is what the panel keys.
class OperationEditor : public QWidget
{
    Q_OBJECT

public:
    explicit OperationEditor(QWidget* parent = nullptr);

    // nullptr, or a component of another kind: nothing to edit, the fields are disabled.
    void setComponent(const std::shared_ptr<sg::Shape>& component);
    std::shared_ptr<sg::Shape> component() const { return m_component.lock(); }
    // Shows the active operation's amount again (it moved along its keys).
    void refresh();

    QComboBox* operationBox() const { return m_operations; }
    QDoubleSpinBox* amountBox() const { return m_amount; }
    QLabel* targetLabel() const { return m_target; }

signals:
    // The user changed the active operation's amount.
    void amountEdited();
    // The user made another of the component's operations the active one.
    void activeOperationChanged();

private:
    std::shared_ptr<sg::Operation> activeOperation() const;
    void fillOperations();
    void showOperation(const sg::Operation* operation);
    void operationChosen(int index);
    void applyAmount(double amount);

    std::weak_ptr<sg::Shape> m_component;
    QLabel* m_title = nullptr;
    QComboBox* m_operations = nullptr;
    QLabel* m_target = nullptr;
    QDoubleSpinBox* m_amount = nullptr;
    // The amount box's range and step suit one operation type at a time.
    int m_shownType = 0;
    bool m_updating = false;
};

} // namespace vellum::studio
