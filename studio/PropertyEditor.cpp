#include "PropertyEditor.h"

#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <sg/Group.h>

namespace vellum::studio {

PropertyEditor::PropertyEditor(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("propertyEditor"));
    auto* layout = new QFormLayout(this);
    m_title = new QLabel(this);
    m_title->setObjectName(QStringLiteral("lblGroup"));
    QFont bold = m_title->font();
    bold.setBold(true);
    m_title->setFont(bold);
    layout->addRow(m_title);

    const QString units = tr(" m");
    const QString degrees = tr("°");
    layout->addRow(tr("Position X"), addField(X, 1000.0, 0.1, units));
    layout->addRow(tr("Position Y"), addField(Y, 1000.0, 0.1, units));
    layout->addRow(tr("Position Z"), addField(Z, 1000.0, 0.1, units));
    layout->addRow(tr("Pitch"), addField(Pitch, 180.0, 5.0, degrees));
    layout->addRow(tr("Yaw"), addField(Yaw, 180.0, 5.0, degrees));
    layout->addRow(tr("Roll"), addField(Roll, 180.0, 5.0, degrees));
    setGroup(nullptr);
}

QDoubleSpinBox* PropertyEditor::addField(Field field, double range, double step,
                                         const QString& suffix)
{
    static const char* const names[FieldCount] = {"spnX",     "spnY",   "spnZ",
                                                  "spnPitch", "spnYaw", "spnRoll"};
    auto* box = new QDoubleSpinBox(this);
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
    m_group = group;
    for (QDoubleSpinBox* box : m_fields)
        box->setEnabled(group != nullptr);
    m_title->setText(group ? group->name() : tr("No group selected"));
    refresh();
}

void PropertyEditor::refresh()
{
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
