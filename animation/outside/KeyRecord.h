#pragma once

#include <cstddef>
#include <cstdint>

namespace vellum::outside {

// A key of an animated component as the scene graph stores it: 32 bytes, of which the panel
// reads only the frame and the segment-start flag. The payload belongs to the scene graph.
struct KeyRecord
{
    float payloadHead = 0.0f;
    float frame = 0.0f;
    float payload[5] = {};
    std::int16_t segmentStart = 0; // Boolean: True is -1
    std::int16_t spare = 0;

    bool startsSegment() const { return segmentStart != 0; }
    void setStartsSegment(bool starts) { segmentStart = starts ? -1 : 0; }
};

static_assert(sizeof(KeyRecord) == 32);
static_assert(offsetof(KeyRecord, frame) == 4);
static_assert(offsetof(KeyRecord, segmentStart) == 28);

// Keyframe types shown by the option groups.
enum KeyFrameType : int
{
    NoKeyFrame = 0,
    PlainKeyFrame = 1,
    SegmentStartKeyFrame = 2
};

// Loop modes of an animation.
inline constexpr int LoopOpen = 0;
inline constexpr int LoopClosed = 2;

} // namespace vellum::outside
