#include "KeyTrack.h"

#include <Error.h>
#include <algorithm>
#include <cmath>

namespace vellum::sg {

namespace {

bool frameBefore(const outside::KeyRecord& key, float frame)
{
    return key.frame < frame;
}

} // namespace

QList<outside::KeyRecord> KeyTrack::between(float fromFrame, float toFrame) const
{
    QList<outside::KeyRecord> result;
    for (const auto& key : m_keys)
        if (key.frame >= fromFrame && key.frame <= toFrame)
            result.append(key);
    return result;
}

QList<outside::KeyRecord> KeyTrack::all() const
{
    return QList<outside::KeyRecord>(m_keys.cbegin(), m_keys.cend());
}

const outside::KeyRecord* KeyTrack::find(float frame) const
{
    const auto found = std::lower_bound(m_keys.cbegin(), m_keys.cend(), frame, frameBefore);
    return found != m_keys.cend() && found->frame == frame ? &*found : nullptr;
}

void KeyTrack::put(const outside::KeyRecord& key)
{
    if (!isKeyFrame(key.frame))
        throw Error::invalidPropertyValue();
    const auto found = std::lower_bound(m_keys.begin(), m_keys.end(), key.frame, frameBefore);
    if (found != m_keys.end() && found->frame == key.frame)
        *found = key;
    else
        m_keys.insert(found, key);
}

bool KeyTrack::remove(float frame)
{
    const auto found = std::lower_bound(m_keys.begin(), m_keys.end(), frame, frameBefore);
    if (found == m_keys.end() || found->frame != frame)
        return false;
    m_keys.erase(found);
    return true;
}

bool KeyTrack::inBlock(const outside::KeyRecord& key, float fromFrame, float toFrame) const
{
    const float shown = std::nearbyint(key.frame); // the default rounding: halves to even
    return shown >= fromFrame && shown <= toFrame;
}

void KeyTrack::moveBlock(float fromFrame, float toFrame, float offset, bool copy)
{
    std::vector<outside::KeyRecord> moved;
    for (const auto& key : m_keys)
        if (inBlock(key, fromFrame, toFrame)) {
            moved.push_back(key);
            moved.back().frame += offset;
            if (!isKeyFrame(moved.back().frame))
                throw Error::invalidPropertyValue();
        }
    if (!copy)
        std::erase_if(m_keys, [&](const auto& key) { return inBlock(key, fromFrame, toFrame); });
    for (const auto& key : moved)
        put(key);
    keepLoopClosed();
}

void KeyTrack::stretchBlock(float fromFrame, float toFrame, double factor)
{
    if (!(factor > 0.0) || !std::isfinite(factor))
        return;
    const double widthChange = (double(toFrame) - fromFrame) * (factor - 1.0);
    std::vector<outside::KeyRecord> stretched;
    stretched.reserve(m_keys.size());
    for (auto key : m_keys) {
        if (inBlock(key, fromFrame, toFrame))
            key.frame = float(fromFrame + (double(key.frame) - fromFrame) * factor);
        else if (std::nearbyint(key.frame) > toFrame)
            key.frame = float(key.frame + widthChange);
        stretched.push_back(key);
    }
    m_keys.clear();
    for (const auto& key : stretched)
        put(key);
    keepLoopClosed();
}

void KeyTrack::removeBlock(float fromFrame, float toFrame)
{
    if (m_keys.empty())
        return;
    const outside::KeyRecord first = m_keys.front();
    std::erase_if(m_keys, [&](const auto& key) { return inBlock(key, fromFrame, toFrame); });
    if (m_keys.empty())
        m_keys.push_back(first);
    keepLoopClosed();
}

void KeyTrack::keepLoopClosed()
{
    if (m_loopMode == outside::LoopClosed && m_keys.size() >= 2)
        returnToFirstKey();
}

void KeyTrack::setLoopMode(int loopMode)
{
    if (loopMode != outside::LoopOpen && loopMode != outside::LoopClosed)
        throw Error::invalidPropertyValue();
    const bool closing = loopMode == outside::LoopClosed && m_loopMode != outside::LoopClosed;
    m_loopMode = loopMode;
    if (closing && m_keys.size() >= 2)
        returnToFirstKey();
}

// Closing leaves several keys at the end frame in turn; only one can stay there, and the path
// must wrap without a jump, so the last key takes the first key's state.
void KeyTrack::returnToFirstKey()
{
    outside::KeyRecord& last = m_keys.back();
    const float frame = last.frame;
    const std::int16_t segmentStart = last.segmentStart;
    last = m_keys.front();
    last.frame = frame;
    last.segmentStart = segmentStart;
}

float KeyTrack::wrapIntoLoop(float frame) const noexcept
{
    const float first = m_keys.front().frame;
    const float period = m_keys.back().frame - first;
    if (m_loopMode != outside::LoopClosed || period <= 0.0f || frame <= m_keys.back().frame)
        return frame;
    return first + std::fmod(frame - first, period);
}

SplineSpan KeyTrack::locate(float frame) const noexcept
{
    SplineSpan span;
    if (m_keys.empty())
        return span;
    const int last = count() - 1;
    frame = wrapIntoLoop(frame);
    if (frame <= m_keys.front().frame || last == 0) {
        span.from = span.to = 0;
        span.frameFrom = span.frameTo = m_keys.front().frame;
        return span;
    }
    if (frame >= m_keys.back().frame) {
        span.from = span.to = last;
        span.frameFrom = span.frameTo = m_keys.back().frame;
        return span;
    }
    // The first key after the frame ends the span.
    const auto next =
        std::upper_bound(m_keys.cbegin(), m_keys.cend(), frame,
                         [](float f, const outside::KeyRecord& k) { return f < k.frame; });
    span.to = int(next - m_keys.cbegin());
    span.from = span.to - 1;
    span.frameFrom = m_keys[span.from].frame;
    span.frameTo = m_keys[span.to].frame;
    span.u = (frame - span.frameFrom) / (span.frameTo - span.frameFrom);
    setNeighbours(span);
    return span;
}

void KeyTrack::setNeighbours(SplineSpan& span) const noexcept
{
    const int last = count() - 1;
    // A closed loop's last key stands for its first, so the seam's neighbours are the keys
    // next to it on the other side. The first key's own segment flag does not cut the seam.
    const bool wraps = m_loopMode == outside::LoopClosed && last >= 2;
    const float period = m_keys.back().frame - m_keys.front().frame;

    if (span.from > 0 && !m_keys[span.from].startsSegment()) {
        span.before = span.from - 1;
        span.frameBefore = m_keys[span.before].frame;
    } else if (span.from == 0 && wraps && !m_keys[last].startsSegment()) {
        span.before = last - 1;
        span.frameBefore = m_keys[span.before].frame - period;
    }

    if (m_keys[span.to].startsSegment())
        return;
    if (span.to < last) {
        span.after = span.to + 1;
        span.frameAfter = m_keys[span.after].frame;
    } else if (wraps) {
        span.after = 1;
        span.frameAfter = m_keys[1].frame + period;
    }
}

} // namespace vellum::sg
