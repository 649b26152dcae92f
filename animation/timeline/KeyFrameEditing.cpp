#include "KeyFrameEditing.h"

#include "Animation.h"
#include "AnimationCommands.h"
#include "AnimationPrivate.h"
#include "ApplicationState.h"
#include "Camera.h"
#include "Enumerations.h"
#include "ErrorRule.h"
#include "Group.h"
#include "KeyFrameTools.h"
#include "Light.h"
#include "ModuleState.h"
#include "MouseCodes.h"
#include "Operation.h"
#include "OptionGroup.h"
#include "Platform.h"
#include "Scene.h"
#include "SceneGraph.h"
#include "SecondKeySet.h"
#include "SelectedOperation.h"
#include "Shape.h"
#include "TrackBar.h"
#include "ValueConversion.h"
#include "XPButton.h"

#include <QMenu>

namespace vellum::animation {

using namespace outside;

namespace {

GroupPtr activeGroup()
{
    return required(activeComponent()->ParentGroup());
}

// A copy of the key stored at that index, moved to the frame.
KeyRecord keyMovedTo(const QList<KeyRecord>& keys, double index, float frame)
{
    const qsizetype at = roundHalfEven(index);
    if (at < 0 || at >= keys.size()) // a loop closed over too few keys
        throw Error(ErrorNumber::SubscriptOutOfRange, QStringLiteral("Subscript out of range"));
    KeyRecord key = keys.at(at);
    key.frame = frame;
    return key;
}

} // namespace

KeyFrameEditing::KeyFrameEditing(AnimationPrivate& panel) : m_panel(panel)
{
    connectWidgets();
}

void KeyFrameEditing::connectWidgets()
{
    const PanelWidgets& w = m_panel.widgets;
    Animation* q = &m_panel.q;
    QObject::connect(w.optKeyFrameType, &common::OptionGroup::Click, q,
                     [this](int index) { onKeyFrameType(index); });
    QObject::connect(w.optKeyFrameOperationType, &common::OptionGroup::Click, q,
                     [this](int index) { onOperationKeyFrameType(index); });
    QObject::connect(w.cmdCopyKeyFrameForward, &common::XPButton::Click, q,
                     [this] { onCopy(1, false); });
    QObject::connect(w.cmdCopyKeyFrameBackward, &common::XPButton::Click, q,
                     [this] { onCopy(-1, false); });
    QObject::connect(w.cmdCopyKeyFrameOperationForward, &common::XPButton::Click, q,
                     [this] { onCopy(1, true); });
    QObject::connect(w.cmdCopyKeyFrameOperationBackward, &common::XPButton::Click, q,
                     [this] { onCopy(-1, true); });
    for (common::XPButton* copy :
         {w.cmdCopyKeyFrameForward, w.cmdCopyKeyFrameBackward, w.cmdCopyKeyFrameOperationForward,
          w.cmdCopyKeyFrameOperationBackward})
        QObject::connect(
            copy, &common::XPButton::MouseDown, q,
            [this](int button, int shift, float, float) { onCopyMouseDown(button, shift); });
    QObject::connect(w.chkRepeat, &common::XPButton::Click, q, [this] { onRepeat(); });
    QObject::connect(w.chkRepeatOperation, &common::XPButton::Click, q,
                     [this] { onOperationRepeat(); });
    QObject::connect(w.cmdReset, &common::XPButton::Click, q, [this] { onReset(); });
    QObject::connect(w.cmdResetAll, &common::XPButton::Click, q, [this] { onResetAll(); });
}

void KeyFrameEditing::onKeyFrameType(int index)
{
    endQuietly([&] { setKeyType(activeGroup, m_panel.keyTools.keyFrames, index); });
}

void KeyFrameEditing::onOperationKeyFrameType(int index)
{
    endQuietly([&] {
        const ShapePtr component = activeComponent();
        switch (secondKeySetOf(*component)) {
        case SecondKeySet::Light:
            setKeyType([&] { return required(sceneGraph().LightByLink(component->LightLink())); },
                       m_panel.keyTools.operations, index);
            break;
        case SecondKeySet::Camera:
            setKeyType([&] { return required(sceneGraph().CameraByLink(component->ObjectLink())); },
                       m_panel.keyTools.operations, index);
            break;
        case SecondKeySet::Operation:
            SetOperationKeyFrameType(index);
            break;
        }
    });
}

void KeyFrameEditing::SetOperationKeyFrameType(int index)
{
    passOn([&] {
        // Without an active operation nothing is keyed, but the events and the refresh happen.
        bool keyed = false;
        setKeyType(
            [&]() -> KeyframedPtr {
                const auto operation = selectedOperation();
                if (!operation)
                    return nullptr;
                keyed = true;
                return required(operationObject(*operation));
            },
            m_panel.keyTools.operations, index, applicationState()->CurrentFrame());
        if (keyed)
            applicationState()->setModified(true);
    });
}

// The remembered type and the clicked one decide: a key, a segment start, or none.
// The item is looked up once the host was told of the coming change.
void KeyFrameEditing::setKeyType(const std::function<KeyframedPtr()>& item, ToolSet& tools,
                                 int index, float frame)
{
    const int shown = tools.remembered;
    emit m_panel.q.evtReqPrepareForSceneChanges();
    const KeyframedPtr keyed = item();
    if (keyed && shown != index && shown >= 0) {
        if (index == 0)
            keyed->RemoveKeyFrame(frame);
        else
            keyed->SetKeyFrame(index == 2, frame);
    }
    emit m_panel.q.evtReqApplySceneChanges();
    m_panel.navigation->sldFrameChange(true, true);
    for (int option = 0; option < tools.options->count(); ++option)
        tools.options->button(option)->setValue(false);
    tools.options->setValue(index);
}

void KeyFrameEditing::onCopy(int step, bool operation)
{
    endQuietly([&] {
        const std::int32_t from = m_panel.widgets.sldFrame->Value();
        if (operation)
            CopyOperationKeyFrame(from, from + step, m_copyVariant);
        else
            CopyKeyFrame(from, from + step, m_copyVariant);
        raiseEdited(true);
    });
}

void KeyFrameEditing::CopyKeyFrame(std::int32_t from, std::int32_t to, bool /*variant*/)
{
    passOn([&] {
        copyAcross(from, to, [] {
            const GroupPtr group = activeGroup();
            group->GetKeyFrames(0.0f, 9999.0f);
            required(applicationState()->Scene())->GroupChanged(group);
        });
    });
}

// With Alt the scene also gets the operation's tables, and moves the key instead of copying it.
void KeyFrameEditing::CopyOperationKeyFrame(std::int32_t from, std::int32_t to, bool variant)
{
    passOn([&] {
        copyAcross(from, to, [variant] {
            const ScenePtr scene = required(applicationState()->Scene());
            const ShapePtr component = activeComponent();
            scene->ShapeChanged(component);
            if (variant)
                scene->OperationDataChanged(component,
                                            scene->OperationTables(component->ObjectLink()));
        });
    });
}

// The scene hears of the change while the slider stands at the source frame, and puts the key
// where the slider goes next.
void KeyFrameEditing::copyAcross(std::int32_t from, std::int32_t to,
                                 const std::function<void()>& notifyScene)
{
    common::TrackBar& slider = *m_panel.widgets.sldFrame;
    slider.setValue(from);
    notifyScene();
    slider.setValue(to);
    if (slider.Value() > slider.SelStart() + slider.SelLength())
        m_panel.navigation->resetSelection();
    raiseEdited(true);
}

void KeyFrameEditing::onCopyMouseDown(int button, int shift)
{
    endQuietly([&] {
        if (button == common::MouseCode::RightButton)
            platform().PopupMenu(*m_panel.widgets.mnuPopup);
        else
            m_copyVariant = shift == common::MouseCode::Alt;
    });
}

void KeyFrameEditing::onRepeat()
{
    endQuietly([&] {
        const GroupPtr group = activeGroup();
        const int loopMode = m_panel.widgets.chkRepeat->Value() ? LoopClosed : LoopOpen;
        closeOrOpenLoop(*group, loopMode, LoopCopies::FirstAndMiddle);
    });
}

void KeyFrameEditing::onOperationRepeat()
{
    endQuietly([&] {
        const ShapePtr component = activeComponent();
        const int loopMode = m_panel.widgets.chkRepeatOperation->Value() ? LoopClosed : LoopOpen;
        switch (secondKeySetOf(*component)) {
        case SecondKeySet::Light:
            closeOrOpenLoop(*required(sceneGraph().LightByLink(component->LightLink())), loopMode,
                            LoopCopies::FirstAndThirds);
            break;
        case SecondKeySet::Camera:
            closeOrOpenLoop(*required(sceneGraph().CameraByLink(component->ObjectLink())), loopMode,
                            LoopCopies::FirstOnly);
            break;
        case SecondKeySet::Operation:
            SetOperationRepeat(loopMode);
            break;
        }
    });
}

void KeyFrameEditing::SetOperationRepeat(int loopMode)
{
    passOn([&] {
        const auto operation = selectedOperation();
        if (!operation)
            return;
        AnimationCommands& commands = animationCommands();
        if (commands.OperationLoopMode(operation->scene, operation->number) != loopMode)
            commands.SetOperationLoopMode(operation->scene, operation->number, loopMode);
        emit m_panel.q.evtreqButtonsEnable();
        emit m_panel.q.evtreqRenderAllViews();
    });
}

// Closing a loop at the current frame drops the keys from there on and ends the path with copies
// of its first key (and, for groups and lights, of keys from its middle) at the current frame.
void KeyFrameEditing::closeOrOpenLoop(Keyframed& keyed, int loopMode, LoopCopies copies)
{
    if (keyed.LoopMode() == loopMode)
        return;
    emit m_panel.q.evtReqPrepareForSceneChanges();
    const QList<KeyRecord> keys = keyed.GetKeyFrames(0.0f, 9999.0f);
    if (loopMode == LoopClosed) {
        const float current = applicationState()->CurrentFrame();
        for (const KeyRecord& key : keys)
            if (key.frame >= current)
                keyed.RemoveKeyFrame(key.frame);
        const double count = double(keys.size());
        keyed.AddKeyFrame(keyMovedTo(keys, 0, current));
        if (copies == LoopCopies::FirstAndMiddle) {
            keyed.AddKeyFrame(keyMovedTo(keys, count / 2.0, current));
        } else if (copies == LoopCopies::FirstAndThirds) {
            keyed.AddKeyFrame(keyMovedTo(keys, count / 3.0, current));
            keyed.AddKeyFrame(keyMovedTo(keys, 2.0 * count / 3.0, current));
        }
    }
    keyed.setLoopMode(loopMode);
    emit m_panel.q.evtReqApplySceneChanges();
    // The views show no light, so closing a light's loop asks for no redraw.
    raiseEdited(copies != LoopCopies::FirstAndThirds);
}

void KeyFrameEditing::onReset()
{
    endQuietly([&] {
        if (!confirmed(
                QStringLiteral("This will reset the active component's animation positions and "
                               "orientations. Continue?")))
            return;
        emit m_panel.q.evtReqPrepareForSceneChanges();
        activeGroup()->ResetAnimation(-1.0f);
        emit m_panel.q.evtReqApplySceneChanges();
    });
}

void KeyFrameEditing::onResetAll()
{
    endQuietly([&] {
        if (!confirmed(QStringLiteral(
                "This will reset all animation positions and orientations. Continue?")))
            return;
        emit m_panel.q.evtReqPrepareForSceneChanges();
        const ScenePtr scene = required(applicationState()->Scene());
        for (const GroupPtr& group : scene->Groups())
            group->ResetAnimation(-1.0f);
        emit m_panel.q.evtReqApplySceneChanges();
    });
}

void KeyFrameEditing::raiseEdited(bool redraw)
{
    applicationState()->setModified(true);
    emit m_panel.q.evtreqButtonsEnable();
    if (redraw)
        emit m_panel.q.evtreqRenderAllViews();
}

bool KeyFrameEditing::bGetAnimationKeyFrameStatus(const GroupPtr& group, float time)
{
    return passOn([&] {
        for (const KeyRecord& key : required(group)->GetKeyFrames(0.0f, 9999.0f))
            if (key.frame == time)
                return true;
        return false;
    });
}

} // namespace vellum::animation
