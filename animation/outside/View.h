#pragma once

namespace vellum::outside {

// A view of the host, as the application state's ActiveView.
class View
{
public:
    virtual ~View() = default;
    virtual void SetAnimationTime(float seconds) = 0;
};

} // namespace vellum::outside
