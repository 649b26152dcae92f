#include "ModeSwitch.h"

#include "Animation.h"
#include "AnimationPrivate.h"
#include "ApplicationState.h"
#include "Camera.h"
#include "Enumerations.h"
#include "ErrorRule.h"
#include "Group.h"
#include "Light.h"
#include "ModuleState.h"
#include "OptionGroup.h"
#include "PanelLayout.h"
#include "Scene.h"
#include "SceneGraph.h"
#include "Shape.h"
#include "TrackBar.h"
#include "UpDownText.h"
#include "ValueConversion.h"
#include "XPButton.h"

#include <QComboBox>

namespace vellum::animation {

using outside::ModeAnimation;
using outside::ModeAnimationOff;

void ModeSwitch::SetModePrepare(std::int32_t cdtMode)
{
    outside::passOn([&] {
        const outside::ApplicationStatePtr state = applicationState();
        const outside::ScenePtr scene = required(state->Scene());
        disableTimelineTools();

        const std::int32_t oldMode = state->Mode();
        state->setMode(cdtMode);
        state->setCurrentFrame(0.0f);

        PanelWidgets& w = m_panel.widgets;
        const bool active = cdtMode != ModeAnimationOff;
        if (active) {
            w.chkAnimate->setValue(true);
            w.sldFrame->setValue(roundHalfEven(state->CurrentFrame()));
            m_panel.q.PrepareTimeLine();
            w.cmdAnimationTimelineLess->setEnabled(m_panel.lTimelineRows >
                                                   PanelGeometry::MinimumTimelineRows);
            w.cmdAnimationTimelineMore->setEnabled(m_panel.lTimelineRows <
                                                   PanelGeometry::MaximumTimelineRows);
        } else {
            state->setMode(ModeAnimationOff);
            w.chkAnimate->setValue(false);
            w.sldFrame->setValue(roundHalfEven(state->CurrentFrame()));
            m_panel.BuildTimelineColumns();
        }
        enablePanel(active);

        if (state->Mode() != oldMode)
            saveOrRestoreScene(*scene);

        m_panel.navigation->sldFrameChange(true, false);
        state->setAnimationRunning(false);
        required(scene->RootGroup())->RefreshTree(true);
        emit m_panel.q.evtreqButtonsEnable();
    });
}

void ModeSwitch::disableTimelineTools()
{
    const PanelWidgets& w = m_panel.widgets;
    setAllEnabled({w.cmdAnimationTimelineLess, w.cmdAnimationTimelineMore, w.cmdSequenceAdd,
                   w.cmdTimelineKeyframeDelete, w.cmdSequenceDelete, w.cmdSequenceRename,
                   w.cboSequence},
                  false);
}

void ModeSwitch::enablePanel(bool active)
{
    const PanelWidgets& w = m_panel.widgets;
    w.fraAnimationBand2->setEnabled(active);
    w.fraAnimationBand3->setEnabled(active);
    w.chkAnimationTimeline->setEnabled(active);
    w.cmdAnimationProperties->setEnabled(active);
    w.cmdResetAll->setEnabled(active);
    w.cmdReset->setEnabled(active);
    if (active)
        UpdateResetButton();
    setAllEnabled({w.cmdStart, w.cmdStepBack, w.cmdPlay, w.cmdPlayGhost, w.cmdStepForward, w.cmdEnd,
                   w.cmdPlayFullScreen, w.chkAutoRepeat, w.cmdRecord, w.txtAnimationTime,
                   w.sldFrame},
                  active);
    m_panel.enableTimelineGrid(active);
}

// On the scene taken at the start: a host handler may have replaced the state's scene since.
void ModeSwitch::saveOrRestoreScene(outside::Scene& scene)
{
    const outside::ApplicationStatePtr state = applicationState();
    for (const outside::ShapePtr& shape : scene.Shapes()) {
        if (state->Mode() == ModeAnimationOff) {
            if (const outside::ShapePtr backup = shape->AnimationBackup()) {
                shape->PrepareRestore();
                shape->CopyFrom(backup);
                shape->setAnimationBackup(nullptr);
            }
        } else {
            const outside::ShapePtr backup = required(sceneGraph().NewShape());
            shape->setAnimationBackup(backup);
            backup->CopyFrom(shape);
        }
        scene.ShapeChanged(shape);
    }
    for (const outside::LightPtr& light : scene.Lights()) {
        if (state->Mode() == ModeAnimationOff)
            light->RestoreAnimationState();
        else
            light->SaveAnimationState();
    }
    for (const outside::CameraPtr& camera : scene.Cameras()) {
        if (state->Mode() == ModeAnimationOff)
            camera->RestoreAnimationState();
        else
            camera->SaveAnimationState();
    }
    if (state->Mode() == ModeAnimation)
        m_panel.q.RefreshScene();
}

void ModeSwitch::UpdateResetButton()
{
    outside::passOn([&] {
        const outside::ApplicationStatePtr state = applicationState();
        bool resettable = false;
        if (state->Mode() == ModeAnimation) {
            outside::SceneGraph& graph = sceneGraph();
            const std::int32_t device = state->SceneDeviceID();
            const std::int32_t count = graph.SelectedCount(device);
            if (count >= 1 && graph.SecondarySelectionCount(device) == 0) {
                resettable = true;
                for (std::int32_t i = 0; i < count && resettable; ++i) {
                    const std::int32_t kind = selectedItem(device, i)->Kind();
                    resettable = kind != 60 && kind != 61;
                }
            }
        }
        m_panel.widgets.cmdReset->setEnabled(resettable);
    });
}

void ModeSwitch::onAnimateClicked()
{
    common::XPButton& animate = *m_panel.widgets.chkAnimate;
    if (!animate.isEnabled())
        return;
    outside::endQuietly([&] {
        animate.setEnabled(false);
        std::int32_t mode = animate.Value() ? ModeAnimation : ModeAnimationOff;
        bool showProgress = true;
        emit m_panel.q.evtReqSetMode(mode, showProgress);
    });
    animate.setEnabled(true);
}

} // namespace vellum::animation
