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

// The copy buttons follow a key at the current frame: back while there is a frame before it,
// forward while the path (or, closed, the frame before the loop's wrap) goes on.
void enableCopies(KeyToolState& state, std::int32_t frame, std::int32_t min, std::int32_t max,
                  bool closed)
{
    if (state.pressedOption == 0)
        return;
    state.previousEnabled = frame > min;
    state.nextEnabled = closed ? frame < max - 1 : frame != max;
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
    enableCopies(state, input.currentFrame, input.min, input.max, closed);
    return state;
}

KeyToolState operationKeyToolState(const OperationRuleInput& input)
{
    KeyToolState state;
    const bool closed = input.loopMode == outside::LoopClosed;

    state.repeatPressed = closed;
    state.repeatEnabled = closed || input.keysBefore >= 2;
    setOptions(state, true, true, true);
    if (!input.keyAtFrame) {
        state.pressedOption = 0;
        return state;
    }
    state.pressedOption = input.keyStartsSegment ? 2 : 1;
    if (input.keyCount == 1 && input.keyStartsSegment)
        setOptions(state, false, false, true);
    else if (input.firstKeyFrame == float(input.currentFrame))
        setOptions(state, true, false, true);
    enableCopies(state, input.currentFrame, input.min, input.max, closed);
    return state;
}

} // namespace vellum::animation
