#include "Animation.h"

#include "AnimationPrivate.h"
#include "ApplicationState.h"
#include "ErrorRule.h"
#include "ModuleState.h"
#include "Recording.h"

namespace vellum::animation {

using outside::passOn;

Animation::Animation(QWidget* parent)
    : QWidget(parent), d(std::make_unique<AnimationPrivate>(*this))
{
    setObjectName(QStringLiteral("Animation"));
    setAccessibleDescription(QStringLiteral("3D Vellum Animation"));
}

Animation::~Animation()
{
    d->logTermination();
}

void Animation::SetSceneGraph(outside::SceneGraphPtr VellumSceneGraph,
                              outside::ApplierPtr caCApplier)
{
    passOn([&] { d->SetSceneGraph(std::move(VellumSceneGraph), std::move(caCApplier)); });
}

bool Animation::Enabled() const
{
    return d->bEnabled;
}

void Animation::setEnabled(bool value)
{
    d->bEnabled = value;
}

void Animation::SetModePrepare(std::int32_t cdtMode)
{
    d->modes.SetModePrepare(cdtMode);
}

void Animation::sldFrameChange(bool bValidateRange, bool bUpdateProgressBar)
{
    d->navigation->sldFrameChange(bValidateRange, bUpdateProgressBar);
}

void Animation::CreateSnapshot()
{
    passOn([this] { d->snapshot.CreateSnapshot(); });
}

void Animation::RestoreShapeState(outside::ShapePtr& csShape, bool bRedraw)
{
    d->refresh.RestoreShapeState(csShape, bRedraw);
}

void Animation::HaltAnimation()
{
    passOn([] { applicationState()->setAnimationRunning(false); });
}

QImage Animation::picCreatePreview()
{
    return passOn([this] { return d->recorder->picCreatePreview(); });
}

void Animation::ButtonsEnable()
{
    d->keyTools.ButtonsEnable();
}

void Animation::setUdtLastPanelOpened(std::int32_t value)
{
    d->udtPanel = value;
}

std::int32_t Animation::udtLastPanelOpened() const
{
    return d->udtPanel;
}

void Animation::TimelineActiveStateChange()
{
    d->timeline.TimelineActiveStateChange();
}

void Animation::ReloadTimelineKeyFrames()
{
    d->timeline.ReloadTimelineKeyFrames();
}

void Animation::PrepareTimeLine()
{
    d->timeline.PrepareTimeLine();
}

void Animation::Set3DVellumStatus(bool /*bStatus*/, bool /*bApplyToAnimationBar*/) {}

void Animation::DisplayRangeOfEffect(std::int32_t lStartColumn, std::int32_t lEndColumn)
{
    d->timeline.DisplayRangeOfEffect(lStartColumn, lEndColumn);
}

bool Animation::bGetAnimationKeyFrameStatus(const outside::GroupPtr& cgGroup, float sAnimationTime)
{
    return d->keyEditing.bGetAnimationKeyFrameStatus(cgGroup, sAnimationTime);
}

void Animation::SetupPanel()
{
    d->navigation->SetupPanel();
}

void Animation::RefreshScene()
{
    d->refresh.RefreshScene();
}

namespace {
template <typename Component>
void runScriptOf(ScriptRunner& runner, outside::SceneGraphPtr& sceneGraph,
                 std::shared_ptr<Component>& component, bool& scriptChanged, std::int32_t device)
{
    ScriptTargetOf<Component> target(component, scriptChanged, device);
    runner.run(sceneGraph, target);
}
} // namespace

void Animation::RunCameraScript(outside::SceneGraphPtr& VellumSceneGraph,
                                outside::CameraPtr& ccCamera, bool& bScriptChanged,
                                std::int32_t& DeviceID)
{
    runScriptOf(d->scripts, VellumSceneGraph, ccCamera, bScriptChanged, DeviceID);
}

void Animation::RunLightScript(outside::SceneGraphPtr& VellumSceneGraph, outside::LightPtr& clLight,
                               bool& bScriptChanged, std::int32_t& DeviceID)
{
    runScriptOf(d->scripts, VellumSceneGraph, clLight, bScriptChanged, DeviceID);
}

void Animation::RunGroupScript(outside::SceneGraphPtr& VellumSceneGraph, std::int32_t /*udtMode*/,
                               outside::GroupPtr& cgGroup, bool& bScriptChanged,
                               std::int32_t DeviceID)
{
    runScriptOf(d->scripts, VellumSceneGraph, cgGroup, bScriptChanged, DeviceID);
}

void Animation::RunShapeScript(outside::SceneGraphPtr& VellumSceneGraph, outside::ShapePtr& csShape,
                               std::int32_t lSceneDeviceID, bool& bScriptChanged)
{
    runScriptOf(d->scripts, VellumSceneGraph, csShape, bScriptChanged, lSceneDeviceID);
}

void Animation::ApplyLookAts()
{
    d->refresh.ApplyLookAts();
}

WId Animation::hwnd()
{
    return winId();
}

void Animation::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    outside::ignoreFailure([&] { d->layout.ArrangePanel(); });
}

void Animation::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (d->bSettingsLoaded)
        outside::ignoreFailure([&] { d->layout.ArrangePanel(); });
}

} // namespace vellum::animation
