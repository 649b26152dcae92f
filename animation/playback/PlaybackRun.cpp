#include "PlaybackRun.h"

#include "Animation.h"
#include "AnimationPrivate.h"
#include "ApplicationState.h"
#include "Camera.h"
#include "ErrorRule.h"
#include "GraphicsUtility.h"
#include "Group.h"
#include "ModuleState.h"
#include "OptionGroup.h"
#include "Platform.h"
#include "RenderUtility.h"
#include "Scene.h"
#include "SceneGraph.h"
#include "TrackBar.h"
#include "UpDownText.h"
#include "ValueConversion.h"
#include "View.h"
#include "XPButton.h"

#include <QComboBox>

namespace vellum::animation {

using namespace outside;

namespace {

constexpr float EndTolerance = 0.001f;

} // namespace

PlaybackRun::PlaybackRun(AnimationPrivate& panel, int mode, QString fileName)
    : m_panel(panel), m_mode(mode), m_fileName(std::move(fileName))
{}

bool PlaybackRun::usesWindow() const
{
    if (m_mode == amPlayFullScreen)
        return true;
    const bool recordingMode = m_mode == amRecord || m_mode == amSnapshot;
    return recordingMode && !(m_panel.recording && m_panel.recording->raytraces());
}

void PlaybackRun::start()
{
    const ApplicationStatePtr state = applicationState();
    m_scene = required(state->Scene());
    m_recording = m_panel.recording;
    if (m_mode == amRecord && m_recording) {
        m_recording->prepare(m_fileName);
        m_loopRate = m_recording->loopRate();
    }
    common::TrackBar& slider = *m_panel.widgets.sldFrame;
    m_start = roundHalfEven(slider.SelStart());
    bindSceneDevice();
    m_panel.q.Set3DVellumStatus(false, false);
    disableStartButtons();
    m_panel.navigation->SetSliderPosition(roundHalfEven(slider.Value()));

    int mode = m_mode;
    emit m_panel.q.evtReqPrepareForAnimation(mode);
    if (usesWindow()) {
        m_window = &m_panel.animationWindow();
        m_window->prepare(m_mode);
    }

    renderUtility().SetDrawColour(1.0f, 1.0f, 1.0f, 0.5f);
    raiseStatusBar(QString(), QString());
    state->setAnimationRunning(true);
    m_count = 0;

    m_previousTick = graphicsUtility().TickCount();
    m_statusTick = graphicsUtility().TickCount();
    if (m_mode == amRecord && m_recording) {
        const float keysPerSecond = state->AnimationSettings().KeysPerSecond;
        const double span = double(slider.SelStart() + slider.SelLength() - m_start);
        m_recordedFrames = roundHalfEven(
            span / double(keysPerSecond) * double(m_recording->framesPerSecond()) + 1.0);
    }
}

bool PlaybackRun::iterate()
{
    const ApplicationStatePtr state = applicationState();
    if (!state->AnimationRunning())
        return false;

    bindSceneDevice();
    const std::int32_t tick = graphicsUtility().TickCount();
    if (tick < m_previousTick)
        m_previousTick = tick; // the tick count wrapped: this step is only shorter

    updateFramesPerSecond(tick);
    advanceOffset(tick);
    const float frame = float(m_start) + m_offset;
    poseAt(frame);
    showTime();
    const ViewPtr view = state->ActiveView();
    if (!view)
        throw Error::objectNotSet();
    view->SetAnimationTime(divide(frame, state->AnimationSettings().KeysPerSecond));
    state->setCurrentFrame(frame);
    runGroupScripts();
    graphicsUtility().TickCount(); // kept for the recording steps
    m_panel.q.RefreshScene();
    handOffCamera();

    std::int16_t ignoreView = -1;
    if (m_mode != amPlayFullScreen) {
        emit m_panel.q.evtreqUpdateCameraPositions(ignoreView);
        emit m_panel.q.evtreqRenderAllViews();
    }
    if (m_window) {
        emit m_panel.q.evtreqUpdateCameraPositions(ignoreView);
        emit m_panel.q.evtreqRenderAllViews();
        m_window->draw();
    }

    m_previousTick = tick;
    platform().PumpMessages();
    if (state->AnimationRunning())
        finishIteration();

    sceneGraph().FrameCompleted();
    raiseStatusBar(m_mode == amRecord && m_recording && m_recording->raytraces() ? m_progressText
                                                                                 : QString(),
                   m_framesPerSecondText);
    return true;
}

void PlaybackRun::finishIteration()
{
    const ApplicationStatePtr state = applicationState();
    if (m_mode == amRecord && m_recording)
        m_progressText = m_recording->recordFrame(m_count, m_recordedFrames);
    if (m_mode == amSnapshot && state->AnimationRunning())
        state->setAnimationRunning(false);

    m_count += m_mode == amGhost ? 10 : 1;

    common::TrackBar& slider = *m_panel.widgets.sldFrame;
    const std::int32_t end = roundHalfEven(slider.SelStart()) + roundHalfEven(slider.SelLength());
    const bool exhausted = (float(m_start) + m_offset) - float(end) > -EndTolerance;
    if (!exhausted) {
        slider.setValue(roundHalfEven(m_offset) + m_start);
    } else if (m_mode != amGhost && m_panel.widgets.chkAutoRepeat->Value()) {
        slider.setValue(m_start);
        m_offset = 0.0f;
        ++m_repeats;
    } else {
        state->setAnimationRunning(false);
        m_finished = true;
    }
}

void PlaybackRun::finish()
{
    raiseStatusBar(QString(), QString());
    runGroupScripts();
    int mode = m_mode;
    emit m_panel.q.evtReqRestoreFromAnimation(mode);

    const ApplicationStatePtr state = applicationState();
    if (state->PanelActive()) {
        if (m_window) {
            m_panel.unloadAnimationWindow();
            m_window = nullptr;
            if (m_mode == amPlayFullScreen)
                graphicsUtility().SetNormalDisplay(true);
        }
        if (state->Scene()) {
            if (m_finished)
                m_panel.navigation->SetSliderPosition(m_start);
            m_scene->AnimationFinished();
            m_panel.navigation->sldFrameChange(false, true);
            if (m_mode != amGhost)
                emit m_panel.q.evtreqRenderAllViews();
            if (state->Mode() == ModeAnimation)
                enableStartButtons();
            m_panel.widgets.cmdStop->setEnabled(false);
        }
        raiseStatusBar(QString(), QString());
    }
    m_panel.q.Set3DVellumStatus(true, false);
    if (m_mode == amRecord && m_recording)
        m_recording->release();
}

void PlaybackRun::bindSceneDevice()
{
    SceneGraph& graph = sceneGraph();
    const std::int32_t device = applicationState()->SceneDeviceID();
    graph.BindDeviceA(device);
    graph.BindDeviceB(device);
    graph.BindDeviceC(device);
    graph.BindDeviceD(device);
    graph.BindDeviceE(device);
}

void PlaybackRun::disableStartButtons()
{
    const PanelWidgets& w = m_panel.widgets;
    setAllEnabled({w.cmdPlay, w.cmdPlayGhost, w.cmdPlayFullScreen, w.cmdRecord, w.cmdEnd,
                   w.cmdStepBack, w.cmdStepForward, w.cmdStart, w.chkAutoRepeat, w.cmdResetAll,
                   w.cmdReset, w.chkAnimationTimeline, w.cmdAnimationProperties},
                  false);
    for (int option = 0; option < w.optKeyFrameType->count(); ++option)
        w.optKeyFrameType->button(option)->setEnabled(false);
    setAllEnabled({w.chkRepeat, w.cmdSequenceAdd, w.cboSequence, w.cmdTimelineKeyframeDelete},
                  false);
    w.cmdStop->setEnabled(true);
}

void PlaybackRun::enableStartButtons()
{
    const PanelWidgets& w = m_panel.widgets;
    setAllEnabled({w.cmdPlay, w.cmdPlayGhost, w.cmdPlayFullScreen, w.chkAutoRepeat, w.cmdRecord,
                   w.cmdEnd, w.cmdStepBack, w.cmdStepForward, w.cmdStart, w.cmdResetAll},
                  true);
    m_panel.modes.UpdateResetButton();
    setAllEnabled({w.chkAnimationTimeline, w.cmdAnimationProperties}, true);
}

// In 64 bits: near the tick count's wrap the 32-bit sum would overflow.
bool secondPassed(std::int32_t since, std::int32_t tick)
{
    return std::int64_t(tick) >= std::int64_t(since) + 1000;
}

void PlaybackRun::updateFramesPerSecond(std::int32_t tick)
{
    if (m_mode == amRecord) {
        m_framesPerSecondText = QStringLiteral(" Recording: %1 Frames/Second")
                                    .arg(m_recording ? m_recording->framesPerSecond() : 0);
    } else if (secondPassed(m_statusTick, tick) && applicationState()->AnimationRunning()) {
        m_framesPerSecondText = QStringLiteral(" Animating: %1 Frames/Second").arg(m_framesCounted);
        m_framesCounted = 0;
        m_statusTick = tick;
    }
    ++m_framesCounted;
}

void PlaybackRun::advanceOffset(std::int32_t tick)
{
    const float keysPerSecond = applicationState()->AnimationSettings().KeysPerSecond;
    switch (m_mode) {
    case amPlay:
    case amPlayFullScreen:
        // Wall-clock pacing: a slow frame is followed by a larger step.
        m_offset += float(tick - m_previousTick) / 1000.0f * keysPerSecond;
        break;
    case amGhost:
        m_offset = float(m_count);
        break;
    case amRecord:
        m_offset = float(m_count) / m_loopRate * keysPerSecond -
                   float(m_repeats * m_recordedFrames) / m_loopRate * keysPerSecond;
        break;
    default:
        break; // a snapshot stays at its start
    }
}

void PlaybackRun::poseAt(float frame)
{
    for (const GroupPtr& group : m_scene->Groups())
        group->ApplyFrame(frame);
}

void PlaybackRun::showTime()
{
    const float keysPerSecond = applicationState()->AnimationSettings().KeysPerSecond;
    // The frame to thousandths, in seconds.
    const float thousandths =
        float(roundHalfEven(double(m_offset) * 1000.0)) + float(m_start) * 1000.0f;
    m_panel.widgets.txtAnimationTime->setText(
        formatSeconds(divide(divide(thousandths, keysPerSecond), 1000.0f)));
}

void PlaybackRun::runGroupScripts()
{
    const ApplicationStatePtr state = applicationState();
    for (GroupPtr group : m_scene->Groups()) {
        bool scriptChanged = false;
        m_panel.q.RunGroupScript(module().gcCSG, state->Mode(), group, scriptChanged,
                                 state->SceneDeviceID());
    }
}

void PlaybackRun::handOffCamera()
{
    const ApplicationStatePtr state = applicationState();
    const CameraPtr camera = required(m_scene->Cameras().Item(1));
    const GroupPtr carrier = required(camera->ParentGroup());
    Vector3 position;
    Vector3 direction;
    Vector3 up;
    carrier->ViewPosition(state->ActiveView(), -1.0f, position);
    carrier->ViewOrientation(state->ActiveView(), -1.0f, direction, up);
    int mode = m_mode;
    emit m_panel.q.evtreqAnimateCamera(mode);
    if (m_window)
        m_window->handOff(position, direction, up, *camera);
}

void PlaybackRun::raiseStatusBar(const QString& position, const QString& misc)
{
    QString labelPosition = position;
    QString labelMisc = misc;
    emit m_panel.q.evtReqUpdateStatusBar(labelPosition, labelMisc);
}

} // namespace vellum::animation
