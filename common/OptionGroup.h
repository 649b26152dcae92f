#pragma once

#include "VellumCommonExport.h"

#include <QObject>
#include <vector>

namespace vellum::common {

class XPButton;

// An indexed array of toggles of which at most one is pressed: pressing one, by a user click or
// by setting its Value, releases the others. Only a user click raises Click(index).
class VELLUMCOMMON_EXPORT OptionGroup : public QObject
{
    Q_OBJECT

public:
    explicit OptionGroup(QObject* parent = nullptr);

    // Makes the button a toggle of the group and returns its index. The group does not own it.
    int addButton(XPButton* button);
    int count() const { return int(m_buttons.size()); }
    XPButton* button(int index) const;

    // The index of the pressed option, or -1 when none is pressed.
    int Value() const;
    void setValue(int index);

signals:
    void Click(int index);

private:
    void releaseOthers(int pressedIndex);
    int indexOf(const QObject* button) const;

    std::vector<XPButton*> m_buttons;
};

} // namespace vellum::common
