#pragma once

#include "KeyTrack.h"

#include <outside/KeyRecord.h>

namespace vellum::sg {

// The key members that groups, lights and cameras share. A component says what its present
// state is as a key payload and learns when its keys changed.
template <typename Interface> class KeyframedBase : public Interface
{
public:
    const KeyTrack& keyTrack() const { return m_track; }
    // Any change made to the track is announced as a change of keys.
    template <typename Edit> void editKeys(Edit&& edit)
    {
        edit(m_track);
        keysChanged();
    }

    // The key at the frame, or else the present state as a key the curve runs through there.
    outside::KeyRecord keyOrStateAt(float frame) const
    {
        if (const auto* key = m_track.find(frame))
            return *key;
        outside::KeyRecord key;
        key.frame = frame;
        writeState(key);
        return key;
    }

    QList<outside::KeyRecord> GetKeyFrames(float fromFrame, float toFrame) override
    {
        return m_track.between(fromFrame, toFrame);
    }
    QList<outside::KeyRecord> AnimationData() override { return m_track.all(); }

    void SetKeyFrame(bool segmentStart, float frame) override
    {
        outside::KeyRecord key;
        key.frame = resolveFrame(frame);
        key.setStartsSegment(segmentStart);
        writeState(key);
        m_track.put(key);
        keysChanged();
    }
    void RemoveKeyFrame(float frame) override
    {
        if (m_track.remove(resolveFrame(frame)))
            keysChanged();
    }
    void AddKeyFrame(const outside::KeyRecord& key) override
    {
        m_track.put(key);
        keysChanged();
    }
    // Keys and loop mode as an earlier state held them.
    void restoreKeys(std::vector<outside::KeyRecord> keys, int loopMode)
    {
        m_track.restore(std::move(keys), loopMode);
        keysChanged();
    }
    int LoopMode() override { return m_track.loopMode(); }
    void setLoopMode(int loopMode) override
    {
        if (loopMode == m_track.loopMode())
            return;
        m_track.setLoopMode(loopMode);
        keysChanged();
    }

protected:
    // The frame that -1 stands for.
    virtual float currentFrame() const = 0;
    virtual void writeState(outside::KeyRecord& key) const = 0;
    virtual void keysChanged() {}

    float resolveFrame(float frame) const { return frame == -1.0f ? currentFrame() : frame; }
    void clearKeys()
    {
        m_track.clear();
        m_track.setLoopMode(outside::LoopOpen);
        keysChanged();
    }

    KeyTrack m_track;
};

} // namespace vellum::sg
