#include "ActiveView.h"

#include <QLabel>

namespace vellum::studio {

void ActiveView::SetAnimationTime(float seconds)
{
    m_seconds = seconds;
    if (!m_overlay)
        return;
    m_overlay->setText(QStringLiteral("%1 s").arg(double(seconds), 0, 'f', 2));
    m_overlay->adjustSize();
}

} // namespace vellum::studio
