#include "KeyRule.h"

#include <algorithm>

namespace vellum::animation {

namespace {

int keysBefore(const QList<outside::KeyRecord>& keys, float frame)
{
    // Stored order: the count stops at the first key at or after the frame.
    const auto firstAtOrAfter =
        std::find_if(keys.cbegin(), keys.cend(),
                     [frame](const outside::KeyRecord& key) { return key.frame >= frame; });
    return int(firstAtOrAfter - keys.cbegin());
}

void setOptions(KeyToolState& state, bool none, bool plain, bool segmentStart)
{
    state.optionsEnabled[0] = none;
    state.optionsEnabled[1] = plain;
    state.optionsEnabled[2] = segmentStart;
}

} // namespace

KeyToolState keyToolState(const KeyRuleInput& input)
{
    KeyToolState state;
    const float frame = float(input.currentFrame);
    const bool closed = input.loopMode == outside::LoopClosed;

    state.repeatPressed = closed;
    state.repeatEnabled = closed || keysBefore(input.keys, frame) > input.repeatThreshold;
    setOptions(state, true, true, true);

    const auto atFrame =
        std::find_if(input.keys.cbegin(), input.keys.cend(),
                     [frame](const outside::KeyRecord& key) { return key.frame == frame; });
    if (atFrame == input.keys.cend()) {
        state.pressedOption = 0;
        return state;
    }
    state.pressedOption = atFrame->startsSegment() ? 2 : 1;
    if (frame == input.keys.first().frame) {
        // The first key always starts the path: it can only be removed when others remain.
        if (input.keys.size() == 2)
            setOptions(state, false, false, true);
        else
            setOptions(state, true, false, true);
        state.pressedOption = 2;
    }
    state.previousEnabled = input.currentFrame > input.min;
    state.nextEnabled =
        closed ? input.currentFrame < input.max - 1 : input.currentFrame != input.max;
    return state;
}

} // namespace vellum::animation
