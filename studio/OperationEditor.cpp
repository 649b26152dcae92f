#include "OperationEditor.h"

#include "FormTitle.h"
#include "OperationPictures.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QPixmap>
#include <sg/OperationType.h>
#include <sg/Scene.h>

namespace vellum::studio {

namespace {

// How an amount of each operation type reads and steps in the editor.
struct AmountFormat
{
    QString typeName;
    double minimum;
    double maximum;
    double step;
    QString suffix;
};

AmountFormat amountFormat(int type)
{
    switch (type) {
    case sg::OperationType::Scale:
        return {OperationEditor::tr("Scale"), 0.0, 100.0, 0.1, OperationEditor::tr(" ×")};
    case sg::OperationType::Colour:
        return {OperationEditor::tr("Colour"), 0.0, 1.0, 0.05, QString()};
    case sg::OperationType::Spin:
        // Keys may wind several turns.
        return {OperationEditor::tr("Spin"), -3600.0, 3600.0, 5.0, OperationEditor::tr("°")};
    default:
        return {OperationEditor::tr("Stretch"), 0.0, 100.0, 0.1, OperationEditor::tr(" ×")};
    }
}

} // namespace

OperationEditor::OperationEditor(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("operationEditor"));
    auto* layout = new QFormLayout(this);
    m_title = addTitleRow(*layout, this, QStringLiteral("lblOperationComponent"));

    m_operations = new QComboBox(this);
    m_operations->setObjectName(QStringLiteral("cboOperation"));
    connect(m_operations, &QComboBox::currentIndexChanged, this, &OperationEditor::operationChosen);
    layout->addRow(tr("Operation"), m_operations);

    m_target = new QLabel(this);
    m_target->setObjectName(QStringLiteral("lblOperationTarget"));
    layout->addRow(tr("Target"), m_target);

    m_amount = new QDoubleSpinBox(this);
    m_amount->setObjectName(QStringLiteral("spnAmount"));
    m_amount->setDecimals(2);
    m_amount->setKeyboardTracking(false);
    connect(m_amount, &QDoubleSpinBox::valueChanged, this, &OperationEditor::applyAmount);
    layout->addRow(tr("Amount"), m_amount);
    setComponent(nullptr);
}

void OperationEditor::setComponent(const std::shared_ptr<sg::Shape>& component)
{
    const bool carries = component && component->kind() == sg::ShapeKind::OperationMarker;
    m_component = carries ? component : nullptr;
    m_title->setText(carries ? component->name() : tr("No operation component selected"));
    fillOperations();
    refresh();
}

std::shared_ptr<sg::Operation> OperationEditor::activeOperation() const
{
    const auto component = m_component.lock();
    const auto scene = component ? component->scene() : nullptr;
    return scene ? scene->activeOperation(*component) : nullptr;
}

void OperationEditor::fillOperations()
{
    const auto component = m_component.lock();
    const auto scene = component ? component->scene() : nullptr;
    m_updating = true;
    m_operations->clear();
    if (scene) {
        for (const auto& operation : scene->operationsOf(*component)) {
            const AmountFormat format = amountFormat(operation->type());
            m_operations->addItem(QPixmap::fromImage(operationPicture(operation->type())),
                                  tr("%1 (%2)").arg(operation->name(), format.typeName),
                                  operation->number());
        }
    }
    m_updating = false;
}

void OperationEditor::refresh()
{
    const auto operation = activeOperation();
    m_operations->setEnabled(operation != nullptr);
    m_amount->setEnabled(operation != nullptr);
    m_updating = true;
    m_operations->setCurrentIndex(operation ? m_operations->findData(operation->number()) : -1);
    showOperation(operation.get());
    m_updating = false;
}

void OperationEditor::showOperation(const sg::Operation* operation)
{
    const auto target = operation ? operation->target() : nullptr;
    m_target->setText(target ? target->name() : tr("None"));
    const int type = operation ? operation->type() : 0;
    if (type != m_shownType) {
        const AmountFormat format = amountFormat(type);
        m_amount->setRange(format.minimum, format.maximum);
        m_amount->setSingleStep(format.step);
        m_amount->setSuffix(format.suffix);
        m_shownType = type;
    }
    m_amount->setValue(operation ? double(operation->amount()) : 0.0);
}

void OperationEditor::operationChosen(int index)
{
    const auto component = m_component.lock();
    if (m_updating || !component || index < 0)
        return;
    const auto scene = component->scene();
    scene->setActiveOperation(scene->operation(m_operations->itemData(index).toInt()));
    refresh();
    emit activeOperationChanged();
}

void OperationEditor::applyAmount(double amount)
{
    const auto operation = activeOperation();
    if (m_updating || !operation)
        return;
    operation->setAmount(float(amount));
    emit amountEdited();
}

} // namespace vellum::studio
