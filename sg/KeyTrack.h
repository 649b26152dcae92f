#pragma once

#include "VellumSGExport.h"

#include <QList>
#include <outside/KeyRecord.h>
#include <vector>

namespace vellum::sg {

// The panel lists keys from frame 0 to 9999; a key beyond that could never be seen or edited.
inline constexpr float maxKeyFrame = 9999.0f;

// A frame a key may stand on.
inline bool isKeyFrame(float frame)
{
    return frame >= 0.0f && frame <= maxKeyFrame; // false for NaN
}

// Where a frame falls on a key track: the span between two keys and the keys that shape the
// tangents at its ends. Frames of the neighbours are on the unwrapped time line, so a closed
// loop's neighbours across the seam lie before the first or after the last key.
struct SplineSpan
{
    int from = -1;   // -1: the track has no keys
    int to = -1;     // equals from when the frame is held at a key
    int before = -1; // -1: one-sided tangent at from (the path starts there)
    int after = -1;  // -1: one-sided tangent at to (the path ends there)
    float frameBefore = 0.0f;
    float frameFrom = 0.0f;
    float frameTo = 0.0f;
    float frameAfter = 0.0f;
    float u = 0.0f; // 0 at from, 1 at to

    bool isEmpty() const { return from < 0; }
    bool isHeld() const { return from == to; }
};

// The keys of one animated component, kept sorted by frame with at most one key per frame.
class VELLUMSG_EXPORT KeyTrack
{
public:
    const std::vector<outside::KeyRecord>& keys() const { return m_keys; }
    bool isEmpty() const { return m_keys.empty(); }
    int count() const { return int(m_keys.size()); }

    QList<outside::KeyRecord> between(float fromFrame, float toFrame) const;
    QList<outside::KeyRecord> all() const;
    const outside::KeyRecord* find(float frame) const;

    // Replaces a key at the same frame. Refuses a negative or non-finite frame.
    void put(const outside::KeyRecord& key);
    bool remove(float frame);
    void clear() { m_keys.clear(); }
    // Puts back keys and loop mode as they were taken, without what closing a loop does.
    void restore(std::vector<outside::KeyRecord> keys, int loopMode)
    {
        m_keys = std::move(keys);
        m_loopMode = loopMode;
    }

    // Block edits over the keys whose frames, rounded to whole frames (halves to even), lie in
    // [fromFrame, toFrame]: the keys a timeline shows in those columns. A closed loop's last key
    // holds the first key's state again afterwards, whichever keys moved.
    // Shifts the block by offset frames, leaving the originals with copy; a key landing on
    // another's frame replaces it. Refuses a block that would land before frame 0.
    void moveBlock(float fromFrame, float toFrame, float offset, bool copy);
    // Spreads the block over factor times its width from fromFrame on; the keys after it move
    // by the change of width, so every key keeps its place in frame order. A factor of 0 or
    // less would pile the keys onto one frame: nothing changes then.
    void stretchBlock(float fromFrame, float toFrame, double factor);
    // Removes the block's keys, except the track's first key when none would be left.
    void removeBlock(float fromFrame, float toFrame);

    int loopMode() const { return m_loopMode; }
    // LoopOpen or LoopClosed; closing makes the last key hold the first key's state.
    void setLoopMode(int loopMode);

    // Never allocates: the playback loop calls it for every component and frame.
    SplineSpan locate(float frame) const noexcept;

private:
    bool inBlock(const outside::KeyRecord& key, float fromFrame, float toFrame) const;
    void keepLoopClosed();
    void returnToFirstKey();
    float wrapIntoLoop(float frame) const noexcept;
    void setNeighbours(SplineSpan& span) const noexcept;

    std::vector<outside::KeyRecord> m_keys;
    int m_loopMode = outside::LoopOpen;
};

} // namespace vellum::sg
