#include "MouseCodes.h"

namespace vellum::common {

int mouseButtonCode(Qt::MouseButtons buttons)
{
    int code = 0;
    if (buttons.testFlag(Qt::LeftButton))
        code |= MouseCode::LeftButton;
    if (buttons.testFlag(Qt::RightButton))
        code |= MouseCode::RightButton;
    if (buttons.testFlag(Qt::MiddleButton))
        code |= MouseCode::MiddleButton;
    return code;
}

int shiftCode(Qt::KeyboardModifiers modifiers)
{
    int code = 0;
    if (modifiers.testFlag(Qt::ShiftModifier))
        code |= MouseCode::Shift;
    if (modifiers.testFlag(Qt::ControlModifier))
        code |= MouseCode::Ctrl;
    if (modifiers.testFlag(Qt::AltModifier))
        code |= MouseCode::Alt;
    return code;
}

} // namespace vellum::common
