#pragma once

#include <outside/View.h>

namespace vellum::sg {

// A view with no screen: it keeps the animation time it was last told, for hosts without
// windows and for measurements.
class RememberingView final : public outside::View
{
public:
    void SetAnimationTime(float seconds) override { m_seconds = seconds; }
    float animationTime() const { return m_seconds; }

private:
    float m_seconds = 0.0f;
};

} // namespace vellum::sg
