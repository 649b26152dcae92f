#pragma once

#include "AutotestExport.h"
#include "Enumerations.h"
#include "Forward.h"
#include "Vector3.h"

#include <QString>
#include <cstdint>

namespace vellum::animation {

class AnimationPrivate;

// What the animation window does for the run loop: shown before the first frame, handed the
// animation camera every frame, and drawn.
class RunWindow
{
public:
    virtual ~RunWindow() = default;
    virtual void prepare(int mode) = 0;
    // The camera's field of view is read once the position and orientation are placed.
    virtual void handOff(const outside::Vector3& position, const outside::Vector3& direction,
                         const outside::Vector3& up, outside::Camera& camera) = 0;
    virtual void draw() = 0;
    // The recording drivers show their progress in the window's caption.
    virtual void setCaption(const QString& caption) = 0;
};

// What recording adds to a run: its set-up, the frame it captures and writes after each
// iteration, and its release at the end.
class RunRecording
{
public:
    virtual ~RunRecording() = default;
    virtual bool raytraces() const = 0;
    // Frames per second of the recording and the loop rate (8 times that with motion blur).
    virtual std::int32_t framesPerSecond() const = 0;
    virtual float loopRate() const = 0;
    virtual void prepare(const QString& fileName) = 0;
    // Writes the frame the sub-frame rendered; gives the progress text.
    virtual QString recordFrame(std::int32_t frameIndex, std::int32_t frameCount) = 0;
    virtual void release() = 0;
};

// One timed pass over the animation, the same state machine for every mode: start, iterations
// until the running flag is found cleared, and the end. A failure ends it where it happened.
class PlaybackRun
{
public:
    PlaybackRun(AnimationPrivate& panel, int mode, QString fileName);

    void start();
    // One iteration; False once the running flag was found cleared.
    bool iterate();
    void finish();

    // The modes that draw in the animation window instead of the host's views.
    bool usesWindow() const;

private:
    void bindSceneDevice();
    void disableStartButtons();
    void enableStartButtons();
    void updateFramesPerSecond(std::int32_t tick);
    void advanceOffset(std::int32_t tick);
    void poseAt(float frame);
    void showTime();
    void runGroupScripts();
    void handOffCamera();
    void finishIteration();
    void raiseStatusBar(const QString& position, const QString& misc);

    AnimationPrivate& m_panel;
    const int m_mode;
    const QString m_fileName;
    outside::ScenePtr m_scene;
    RunWindow* m_window = nullptr;
    RunRecording* m_recording = nullptr;

    std::int32_t m_start = 0;          // S
    float m_offset = 0.0f;             // O
    std::int32_t m_count = 0;          // N
    std::int32_t m_repeats = 0;        // R
    std::int32_t m_previousTick = 0;   // Tp
    std::int32_t m_statusTick = 0;     // Ts
    std::int32_t m_framesCounted = 0;  // C
    std::int32_t m_recordedFrames = 0; // M
    float m_loopRate = 0.0f;           // L
    bool m_finished = false;           // F
    QString m_framesPerSecondText;
    QString m_progressText;
};

// Whether a second of ticks has gone by since the given tick.
VELLUM_AUTOTEST_EXPORT bool secondPassed(std::int32_t since, std::int32_t tick);

} // namespace vellum::animation
