#pragma once

#include "KeyRecord.h"

#include <QList>

namespace vellum::outside {

// What groups, lights and cameras share: a list of keys and a loop mode.
// A frame of -1 in SetKeyFrame, RemoveKeyFrame and ResetAnimation means the current frame.
class Keyframed
{
public:
    virtual ~Keyframed() = default;

    // The keys whose frames lie in [fromFrame, toFrame], in stored order.
    virtual QList<KeyRecord> GetKeyFrames(float fromFrame, float toFrame) = 0;
    // Every key, in stored order.
    virtual QList<KeyRecord> AnimationData() = 0;
    // Makes the frame a key holding the component's present state.
    virtual void SetKeyFrame(bool segmentStart, float frame) = 0;
    virtual void RemoveKeyFrame(float frame) = 0;
    // Adds the record as it stands (its frame says where).
    virtual void AddKeyFrame(const KeyRecord& key) = 0;
    virtual int LoopMode() = 0;
    virtual void setLoopMode(int loopMode) = 0;
};

} // namespace vellum::outside
