#include "PropertyEditor.h"

#include "FormTitle.h"
#include "OperationEditor.h"

#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QStackedLayout>
#include <sg/Group.h>
#include <sg/Shape.h>

namespace vellum::studio {

PropertyEditor::PropertyEditor(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("propertyEditor"));
    m_pages = new QStackedLayout(this);
    m_pages->setContentsMargins(0, 0, 0, 0);
    m_posePage = makePosePage();
    m_pages->addWidget(m_posePage);
    m_operations = new OperationEditor(this);
    m_pages->addWidget(m_operations);
    connect(m_operations, &OperationEditor::amountEdited, this, &PropertyEditor::operationEdited);
    connect(m_operations, &OperationEditor::activeOperationChanged, this,
            &PropertyEditor::activeOperationChanged);
    setGroup(nullptr);
}

QWidget* PropertyEditor::makePosePage()
{
    auto* page = new QWidget(this);
    auto* layout = new QFormLayout(page);
    m_title = addTitleRow(*layout, page, QStringLiteral("lblGroup"));

    const QString units = tr(" m");
    const QString degrees = tr("°");
    layout->addRow(tr("Position X"), addField(page, X, 1000.0, 0.1, units));
    layout->addRow(tr("Position Y"), addField(page, Y, 1000.0, 0.1, units));
    layout->addRow(tr("Position Z"), addField(page, Z, 1000.0, 0.1, units));
    layout->addRow(tr("Pitch"), addField(page, Pitch, 180.0, 5.0, degrees));
    layout->addRow(tr("Yaw"), addField(page, Yaw, 180.0, 5.0, degrees));
    layout->addRow(tr("Roll"), addField(page, Roll, 180.0, 5.0, degrees));
    return page;
}

QDoubleSpinBox* PropertyEditor::addField(QWidget* page, Field field, double range, double step,
                                         const QString& suffix)
{
    static const char* const names[FieldCount] = {"spnX",     "spnY",   "spnZ",
                                                  "spnPitch", "spnYaw", "spnRoll"};
    auto* box = new QDoubleSpinBox(page);
    box->setObjectName(QLatin1String(names[field]));
    box->setRange(-range, range);
    box->setSingleStep(step);
    box->setDecimals(2);
    box->setSuffix(suffix);
    box->setKeyboardTracking(false);
    // Angles go round: stepping past 180 comes back at -180.
    box->setWrapping(field >= Pitch);
    connect(box, &QDoubleSpinBox::valueChanged, this, &PropertyEditor::applyFields);
    m_fields[field] = box;
    return box;
}

void PropertyEditor::setGroup(const std::shared_ptr<sg::Group>& group)
{
    m_operations->setComponent(nullptr);
    m_pages->setCurrentWidget(m_posePage);
    showGroup(group);
}

void PropertyEditor::setOperationComponent(const std::shared_ptr<sg::Shape>& component)
{
    showGroup(nullptr);
    m_operations->setComponent(component);
    m_pages->setCurrentWidget(m_operations);
}

void PropertyEditor::showGroup(const std::shared_ptr<sg::Group>& group)
{
    m_group = group;
    for (QDoubleSpinBox* box : m_fields)
        box->setEnabled(group != nullptr);
    m_title->setText(group ? group->name() : tr("No group selected"));
    refresh();
}

void PropertyEditor::refresh()
{
    m_operations->refresh();
    const auto group = m_group.lock();
    m_updating = true;
    const QVector3D position = group ? group->position() : QVector3D();
    const QVector3D euler = group ? group->orientation().toEulerAngles() : QVector3D();
    const float values[FieldCount] = {position.x(), position.y(), position.z(),
                                      euler.x(),    euler.y(),    euler.z()};
    for (int i = 0; i < FieldCount; ++i)
        m_fields[i]->setValue(double(values[i]));
    m_updating = false;
}

void PropertyEditor::applyFields()
{
    const auto group = m_group.lock();
    if (m_updating || !group)
        return;
    const auto value = [this](Field f) { return float(m_fields[f]->value()); };
    group->setPose({QVector3D(value(X), value(Y), value(Z)),
                    QQuaternion::fromEulerAngles(value(Pitch), value(Yaw), value(Roll))});
    emit poseEdited();
}

} // namespace vellum::studio
