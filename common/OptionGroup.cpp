#include "OptionGroup.h"

#include "Error.h"
#include "XPButton.h"

namespace vellum::common {

OptionGroup::OptionGroup(QObject* parent) : QObject(parent) {}

int OptionGroup::addButton(XPButton* button)
{
    if (!button)
        throw Error::invalidProcedureCall();
    const int index = count();
    m_buttons.push_back(button);
    button->setToggle(true);
    connect(button, &XPButton::valueChanged, this, [this, button](bool pressed) {
        if (pressed)
            releaseOthers(indexOf(button));
    });
    connect(button, &XPButton::Click, this, [this, button] {
        const int clicked = indexOf(button);
        // A click on the pressed option must not leave the group empty.
        m_buttons[size_t(clicked)]->setValue(true);
        emit Click(clicked);
    });
    connect(button, &QObject::destroyed, this, [this](QObject* gone) {
        const int at = indexOf(gone);
        if (at >= 0)
            m_buttons[size_t(at)] = nullptr;
    });
    if (button->Value())
        releaseOthers(index);
    return index;
}

XPButton* OptionGroup::button(int index) const
{
    if (index < 0 || index >= count())
        throw Error(ErrorNumber::SubscriptOutOfRange, QStringLiteral("Subscript out of range"));
    if (!m_buttons[size_t(index)])
        throw Error(ErrorNumber::ObjectRequired, QStringLiteral("Object required"));
    return m_buttons[size_t(index)];
}

int OptionGroup::Value() const
{
    for (int i = 0; i < count(); ++i) {
        if (m_buttons[size_t(i)] && m_buttons[size_t(i)]->Value())
            return i;
    }
    return -1;
}

void OptionGroup::setValue(int index)
{
    button(index)->setValue(true);
}

void OptionGroup::releaseOthers(int pressedIndex)
{
    for (int i = 0; i < count(); ++i) {
        if (i != pressedIndex && m_buttons[size_t(i)])
            m_buttons[size_t(i)]->setValue(false);
    }
}

int OptionGroup::indexOf(const QObject* button) const
{
    for (size_t i = 0; i < m_buttons.size(); ++i) {
        if (m_buttons[i] == button)
            return int(i);
    }
    return -1;
}

} // namespace vellum::common
