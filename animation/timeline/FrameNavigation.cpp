#include "FrameNavigation.h"

#include "Animation.h"
#include "AnimationPrivate.h"
#include "ApplicationState.h"
#include "Enumerations.h"
#include "ErrorRule.h"
#include "Group.h"
#include "ModuleState.h"
#include "MouseCodes.h"
#include "Scene.h"
#include "TrackBar.h"
#include "UpDownText.h"
#include "ValueConversion.h"
#include "XPButton.h"

namespace vellum::animation {

using outside::endQuietly;
using outside::ignoreFailure;
using outside::passOn;

namespace {

const QString& subRangeHint()
{
    static const QString text = QStringLiteral(
        "You can work with a sub-range of your animation by selecting a start point using the "
        "animation slider and shift-dragging the animation slider to the desired end point.");
    return text;
}

bool shiftAlone(int shift)
{
    return shift == common::MouseCode::Shift;
}

} // namespace

FrameNavigation::FrameNavigation(AnimationPrivate& panel) : m_panel(panel), m_widgets(panel.widgets)
{
    connectWidgets();
}

void FrameNavigation::connectWidgets()
{
    common::TrackBar* slider = m_widgets.sldFrame;
    connect(slider, &common::TrackBar::MouseDown, this,
            [this](int button, int shift, float, float) { onSliderMouseDown(button, shift); });
    connect(slider, &common::TrackBar::Change, this, &FrameNavigation::onSliderChange);
    connect(slider, &common::TrackBar::MouseUp, this,
            [this](int, int shift, float, float) { onSliderMouseUp(shift); });

    connect(m_widgets.cmdStart, &common::XPButton::Click, this,
            [this] { endQuietly([this] { navigate(m_widgets.sldFrame->SelStart()); }); });
    connect(m_widgets.cmdEnd, &common::XPButton::Click, this, [this] {
        endQuietly(
            [this] { navigate(m_widgets.sldFrame->SelStart() + m_widgets.sldFrame->SelLength()); });
    });
    connect(m_widgets.cmdStepForward, &common::XPButton::Click, this, [this] {
        endQuietly([this] {
            const common::TrackBar& slider = *m_widgets.sldFrame;
            if (slider.Value() < slider.SelStart() + slider.SelLength())
                navigate(slider.Value() + 1);
        });
    });
    connect(m_widgets.cmdStepBack, &common::XPButton::Click, this, [this] {
        endQuietly([this] {
            const common::TrackBar& slider = *m_widgets.sldFrame;
            if (slider.Value() > slider.SelStart())
                navigate(slider.Value() - 1);
        });
    });
    connect(m_widgets.txtAnimationTime, &common::UpDownText::Commit, this,
            &FrameNavigation::onTimeCommitted);
    // A step of the arrows is meant as the new time at once, as Enter would.
    connect(m_widgets.txtAnimationTime, &common::UpDownText::Change, this,
            &FrameNavigation::onTimeCommitted);
}

void FrameNavigation::SetupPanel()
{
    common::TrackBar& slider = *m_widgets.sldFrame;
    ignoreFailure([&] {
        slider.setTickFrequency(
            roundHalfEven(applicationState()->AnimationSettings().KeysPerSecond));
    });
    ignoreFailure([&] {
        slider.setMin(0);
        slider.setMax(applicationState()->AnimationSettings().Keys);
    });
    ignoreFailure([&] {
        slider.setSelStart(0);
        slider.setSelLength(slider.Max());
    });
    ignoreFailure([&] { slider.setValue(slider.Min()); });
    ignoreFailure([&] { m_widgets.txtAnimationTime->setText(formatSeconds(0.0)); });
    ignoreFailure([&] { slider.setValue(roundHalfEven(applicationState()->CurrentFrame())); });
}

void FrameNavigation::sldFrameChange(bool bValidateRange, bool /*bUpdateProgressBar*/)
{
    passOn([&] {
        const outside::ApplicationStatePtr state = applicationState();
        common::TrackBar& slider = *m_widgets.sldFrame;
        const std::int32_t frame = slider.Value();
        state->setCurrentFrame(state->Mode() == outside::ModeAnimation ? float(frame) : 0.0f);

        if (bValidateRange && isOutsideSelection(frame))
            resetSelection();

        if (!state->AnimationRunning()) {
            if (state->ActiveView()) {
                // Held here: the scene owns the collection the loop walks.
                const outside::ScenePtr scene = required(state->Scene());
                for (const outside::GroupPtr& group : scene->Groups())
                    group->ApplyFrame(float(frame));
                showTimeOf(frame);
                if (!m_panel.bGhostPlaying)
                    raiseUpdateCameraPositions();
            }
            state->setCurrentFrame(float(frame));
            if (state->Mode() == outside::ModeAnimation && !m_panel.bGhostPlaying)
                m_panel.q.RefreshScene();
            if (state->ActiveView())
                emit m_panel.q.evtreqButtonsEnable();
        }

        if (!state->AnimationRunning() && !m_panel.bGhostPlaying && state->ActiveView())
            raiseUpdateCameraPositions();
        m_panel.HighlightTimelineColumn();
    });
}

void FrameNavigation::SetSliderPosition(std::int32_t frame)
{
    passOn([&] {
        m_widgets.sldFrame->setValue(frame);
        if (isOutsideSelection(m_widgets.sldFrame->Value()))
            resetSelection();
    });
}

void FrameNavigation::resetSelection()
{
    common::TrackBar& slider = *m_widgets.sldFrame;
    slider.setSelStart(0);
    slider.setSelLength(slider.Max());
}

bool FrameNavigation::isOutsideSelection(std::int32_t frame) const
{
    const common::TrackBar& slider = *m_widgets.sldFrame;
    return frame > slider.SelStart() + slider.SelLength() || frame < slider.SelStart();
}

void FrameNavigation::onSliderMouseDown(int /*button*/, int shift)
{
    endQuietly([&] {
        m_selectingSubRange = false;
        const outside::ApplicationStatePtr state = applicationState();
        if (!state->AnimationRunning() && state->ActiveView() && shiftAlone(shift)) {
            m_selectingSubRange = true;
            common::TrackBar& slider = *m_widgets.sldFrame;
            slider.setSelStart(slider.Value());
            slider.setSelLength(0);
        }
    });
}

void FrameNavigation::onSliderChange()
{
    endQuietly([&] {
        sldFrameChange(!m_selectingSubRange, true);
        const outside::ApplicationStatePtr state = applicationState();
        if (!state->RenderingSuspended() && !state->AnimationRunning())
            emit m_panel.q.evtreqRenderAllViews();
    });
}

void FrameNavigation::onSliderMouseUp(int shift)
{
    endQuietly([&] {
        const outside::ApplicationStatePtr state = applicationState();
        if (!state->AnimationRunning() && state->ActiveView()) {
            common::TrackBar& slider = *m_widgets.sldFrame;
            if (shiftAlone(shift)) {
                // A leftward drag gives a negative length, which the slider refuses: the
                // selection stays the start point.
                ignoreFailure([&] { slider.setSelLength(slider.Value() - slider.SelStart()); });
            } else if (m_selectingSubRange) {
                resetSelection(); // Shift was let go during the drag
            }
        }
        QString registryKey = state->RegistryKey();
        QString warning = subRangeHint();
        QString entry = QStringLiteral("Timeline");
        emit m_panel.q.evtReqWarn(registryKey, warning, entry);
    });
}

void FrameNavigation::onTimeCommitted()
{
    bool taken = false;
    endQuietly([&] {
        common::UpDownText& timeText = *m_widgets.txtAnimationTime;
        common::TrackBar& slider = *m_widgets.sldFrame;
        const float seconds = float(toNumber(timeText.Text()));
        const float keysPerSecond = applicationState()->AnimationSettings().KeysPerSecond;
        slider.setValue(roundHalfEven(seconds * keysPerSecond));
        if (isOutsideSelection(slider.Value()))
            resetSelection();
        showTimeOf(slider.Value());
        taken = true;
    });
    if (!taken)
        m_widgets.txtAnimationTime->markRefused();
}

void FrameNavigation::navigate(std::int32_t frame)
{
    SetSliderPosition(frame);
    required(required(applicationState()->Scene())->RootGroup())->RefreshTree(true);
    emit m_panel.q.evtreqButtonsEnable();
}

void FrameNavigation::showTimeOf(std::int32_t frame)
{
    const float keysPerSecond = applicationState()->AnimationSettings().KeysPerSecond;
    m_widgets.txtAnimationTime->setText(formatSeconds(divide(float(frame), keysPerSecond)));
}

void FrameNavigation::raiseUpdateCameraPositions()
{
    std::int16_t ignoreView = -1; // True
    emit m_panel.q.evtreqUpdateCameraPositions(ignoreView);
}

} // namespace vellum::animation
