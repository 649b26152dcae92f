#include "KeyFrameTools.h"

#include "Animation.h"
#include "AnimationCommands.h"
#include "AnimationPrivate.h"
#include "ApplicationState.h"
#include "Camera.h"
#include "Enumerations.h"
#include "ErrorRule.h"
#include "Group.h"
#include "Light.h"
#include "ModuleState.h"
#include "OptionGroup.h"
#include "RenderUtility.h"
#include "SceneGraph.h"
#include "SecondKeySet.h"
#include "SelectedOperation.h"
#include "Shape.h"
#include "TrackBar.h"
#include "XPButton.h"

namespace vellum::animation {

using namespace outside;

namespace {

using KeyframedPtr = std::shared_ptr<Keyframed>;

constexpr int GroupRepeatThreshold = 3;
constexpr int LightAndCameraRepeatThreshold = 5;

} // namespace

KeyFrameTools::KeyFrameTools(AnimationPrivate& panel) : m_panel(panel)
{
    const PanelWidgets& w = panel.widgets;
    keyFrames = {w.optKeyFrameType, w.chkRepeat, w.cmdCopyKeyFrameBackward,
                 w.cmdCopyKeyFrameForward};
    operations = {w.optKeyFrameOperationType, w.chkRepeatOperation,
                  w.cmdCopyKeyFrameOperationBackward, w.cmdCopyKeyFrameOperationForward};
}

void KeyFrameTools::ButtonsEnable()
{
    passOn([&] {
        const std::int32_t device = applicationState()->SceneDeviceID();
        bool operationSelected = false;
        if (sceneGraph().SelectedCount(device) >= 1) {
            std::int32_t kindCode = 0;
            bool single = false;
            renderUtility().AnalyseSelection(device, kindCode, single);
            operationSelected = kindCode == Kind::Operation && single;
        }
        ApplyKeyFrameRules(operationSelected);
        m_panel.modes.UpdateResetButton();
        if (applicationState()->Mode() == ModeAnimation)
            m_panel.q.TimelineActiveStateChange();
    });
}

void KeyFrameTools::ApplyKeyFrameRules(bool operationSelected)
{
    if (!oneSelectedWhileAnimating()) {
        UpdateKeyFrameTools();
        UpdateOperationKeyTools(false);
        return;
    }
    UpdateKeyFrameTools();
    switch (secondKeySetOf(*activeComponent())) {
    case SecondKeySet::Light:
        UpdateLightKeyTools();
        break;
    case SecondKeySet::Camera:
        UpdateCameraKeyTools();
        break;
    case SecondKeySet::Operation:
        UpdateOperationKeyTools(operationSelected);
        break;
    }
}

bool KeyFrameTools::oneSelectedWhileAnimating()
{
    return sceneGraph().SelectedCount(applicationState()->SceneDeviceID()) == 1 &&
           m_panel.widgets.chkAnimate->Value();
}

void KeyFrameTools::UpdateKeyFrameTools()
{
    applyKeyRule(
        keyFrames, []() -> KeyframedPtr { return required(activeComponent()->ParentGroup()); },
        GroupRepeatThreshold);
}

void KeyFrameTools::UpdateLightKeyTools()
{
    applyKeyRule(
        operations,
        []() -> KeyframedPtr {
            return required(sceneGraph().LightByLink(activeComponent()->LightLink()));
        },
        LightAndCameraRepeatThreshold);
}

void KeyFrameTools::UpdateCameraKeyTools()
{
    applyKeyRule(
        operations,
        []() -> KeyframedPtr {
            return required(sceneGraph().CameraByLink(activeComponent()->ObjectLink()));
        },
        LightAndCameraRepeatThreshold);
}

void KeyFrameTools::UpdateOperationKeyTools(bool operationSelected)
{
    reset(operations);
    if (operationSelected && sceneGraph().SelectedCount(applicationState()->SceneDeviceID()) > 0) {
        if (const auto operation = selectedOperation())
            if (const auto entry = keyableEntry(*operation))
                show(operations, operationRule(*operation, entry->loopMode));
    }
    remember(operations);
}

KeyToolState KeyFrameTools::operationRule(const SelectedOperation& operation, int loopMode)
{
    AnimationCommands& commands = animationCommands();
    const common::TrackBar& slider = *m_panel.widgets.sldFrame;
    OperationRuleInput input;
    input.currentFrame = slider.Value();
    input.min = slider.Min();
    input.max = slider.Max();
    const float frame = float(input.currentFrame);
    commands.OperationKeyAtFrame(operation.scene, operation.number, frame, input.keyAtFrame,
                                 input.keyStartsSegment);
    input.loopMode = loopMode == LoopClosed ? LoopClosed : LoopOpen;
    input.keysBefore = commands.OperationKeysBefore(operation.scene, operation.number, frame);
    if (input.keyAtFrame)
        commands.OperationFirstKey(operation.scene, operation.number, input.keyCount,
                                   input.firstKeyFrame);
    return operationKeyToolState(input);
}

void KeyFrameTools::applyKeyRule(ToolSet& tools, const KeySource& source, int repeatThreshold)
{
    reset(tools);
    if (oneSelectedWhileAnimating()) {
        const KeyframedPtr keyed = source();
        const common::TrackBar& slider = *m_panel.widgets.sldFrame;
        KeyRuleInput input;
        input.keys = keyed->GetKeyFrames(0.0f, 9999.0f);
        input.loopMode = keyed->LoopMode();
        input.repeatThreshold = repeatThreshold;
        input.currentFrame = slider.Value();
        input.min = slider.Min();
        input.max = slider.Max();
        show(tools, keyToolState(input));
    }
    remember(tools);
}

void KeyFrameTools::reset(ToolSet& tools)
{
    for (int option = 0; option < tools.options->count(); ++option)
        tools.options->button(option)->setValue(false);
    for (int option = 0; option < tools.options->count(); ++option)
        tools.options->button(option)->setEnabled(false);
    tools.repeat->setEnabled(false);
    tools.repeat->setValue(false);
    tools.previous->setEnabled(false);
    tools.next->setEnabled(false);
}

void KeyFrameTools::show(ToolSet& tools, const KeyToolState& state)
{
    tools.repeat->setValue(state.repeatPressed);
    tools.repeat->setEnabled(state.repeatEnabled);
    for (int option = 0; option < 3; ++option)
        tools.options->button(option)->setEnabled(state.optionsEnabled[option]);
    if (state.pressedOption >= 0)
        tools.options->setValue(state.pressedOption);
    tools.previous->setEnabled(state.previousEnabled);
    tools.next->setEnabled(state.nextEnabled);
}

void KeyFrameTools::remember(ToolSet& tools)
{
    tools.remembered = -1;
    for (int option = 0; option < 3 && tools.remembered < 0; ++option)
        if (tools.options->button(option)->Value())
            tools.remembered = option;
}

} // namespace vellum::animation
