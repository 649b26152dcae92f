#pragma once

#include "AutotestExport.h"

#include <cstdint>

namespace vellum::animation {

class AnimationPrivate;

// The window of frames around the current one that a ghost playback covers.
struct GhostRange
{
    std::int32_t selStart = 0;
    std::int32_t selLength = 0;
};

VELLUM_AUTOTEST_EXPORT GhostRange ghostRange(std::int32_t value, std::int32_t max,
                                             std::int32_t preceding, std::int32_t following);

// Plays the frames around the current one, ten at a time, while the host keeps what it draws as
// ghost copies; then puts the slider and the scene back exactly as they were.
class GhostPlayback
{
public:
    explicit GhostPlayback(AnimationPrivate& panel);

private:
    void play();
    void showOptions(int button);

    AnimationPrivate& m_panel;
};

} // namespace vellum::animation
