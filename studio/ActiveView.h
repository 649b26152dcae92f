#pragma once

#include <QPointer>
#include <outside/View.h>

class QLabel;

namespace vellum::studio {

// The perspective view as the panel sees it: the application state's ActiveView. The panel
// poses groups only while there is one; the time it reports shows in the view's corner.
class ActiveView final : public outside::View
{
public:
    explicit ActiveView(QLabel* timeOverlay) : m_overlay(timeOverlay) {}

    void SetAnimationTime(float seconds) override;
    float animationTime() const { return m_seconds; }

private:
    QPointer<QLabel> m_overlay;
    float m_seconds = 0.0f;
};

} // namespace vellum::studio
