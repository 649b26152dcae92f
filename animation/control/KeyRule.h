#pragma once

#include "AutotestExport.h"
#include "KeyRecord.h"

#include <QList>
#include <cstdint>

namespace vellum::animation {

// What the key-frame tools show for the current frame, worked out from the keys alone.
struct KeyToolState
{
    bool optionsEnabled[3] = {false, false, false};
    int pressedOption = -1; // -1: none pressed
    bool repeatEnabled = false;
    bool repeatPressed = false;
    bool previousEnabled = false;
    bool nextEnabled = false;
};

struct KeyRuleInput
{
    QList<outside::KeyRecord> keys;
    int loopMode = outside::LoopOpen;
    // Repeating becomes possible after more than this many keys before the frame.
    int repeatThreshold = 3;
    std::int32_t currentFrame = 0;
    std::int32_t min = 0;
    std::int32_t max = 0;
};

// The one rule behind the group, light and camera tool sets.
VELLUM_AUTOTEST_EXPORT KeyToolState keyToolState(const KeyRuleInput& input);

// What the scene graph tells of a keyframe operation at the current frame.
struct OperationRuleInput
{
    bool keyAtFrame = false;
    bool keyStartsSegment = false;
    int loopMode = outside::LoopOpen;
    std::int32_t keysBefore = 0;
    std::int32_t keyCount = 0;
    float firstKeyFrame = 0.0f;
    std::int32_t currentFrame = 0;
    std::int32_t min = 0;
    std::int32_t max = 0;
};

// The rule of the operation tool set for a keyframe operation, which the scene graph describes
// by counts instead of handing out its keys.
VELLUM_AUTOTEST_EXPORT KeyToolState operationKeyToolState(const OperationRuleInput& input);

} // namespace vellum::animation
