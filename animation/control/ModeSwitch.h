#pragma once

#include "Forward.h"

#include <cstdint>

namespace vellum::animation {

class AnimationPrivate;

// The two application modes: animation off, where only the animate switch works, and animation
// mode, entered with a backup of every shape and the saved state of every light and camera.
class ModeSwitch
{
public:
    explicit ModeSwitch(AnimationPrivate& panel) : m_panel(panel) {}

    void SetModePrepare(std::int32_t cdtMode);
    void UpdateResetButton();
    // The animate switch asks the host to change modes; the host answers with SetModePrepare.
    void onAnimateClicked();

private:
    void disableTimelineTools();
    void enablePanel(bool active);
    void saveOrRestoreScene(outside::Scene& scene);

    AnimationPrivate& m_panel;
};

} // namespace vellum::animation
