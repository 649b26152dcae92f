#pragma once

#include <QString>

namespace vellum::animation {

class AnimationPrivate;

// One picture through the animation camera of the frame at the start of the working sub-range,
// rendered offscreen or raytraced, saved as a bitmap.
class Snapshot
{
public:
    explicit Snapshot(AnimationPrivate& panel) : m_panel(panel) {}

    void CreateSnapshot();

private:
    void takeSnapshot(const QString& fileName);
    void disablePanel();

    AnimationPrivate& m_panel;
};

} // namespace vellum::animation
