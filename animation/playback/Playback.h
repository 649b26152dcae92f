#pragma once

#include <QString>

namespace vellum::animation {

class AnimationPrivate;

// The run loop and the buttons that start and stop it.
class Playback
{
public:
    explicit Playback(AnimationPrivate& panel);

    void RunAnimation(int mode, const QString& fileName);

private:
    void play(int mode);
    void stop();

    AnimationPrivate& m_panel;
};

} // namespace vellum::animation
