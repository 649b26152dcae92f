#pragma once

#include "Forward.h"
#include "VellumAnimationExport.h"

#include <QImage>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <memory>

namespace vellum::animation {

class AnimationPrivate;

// The animation panel a host embeds. The host binds it to its scene graph and applier, and from
// then on the panel reads and writes everything there; it asks the host for what only the host can
// do (redraw, switch modes, show hints) through the request signals below, which must be connected
// directly: the panel relies on the handler having returned when the signal returns.
class VELLUMANIMATION_EXPORT Animation : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(Animation)

public:
    explicit Animation(QWidget* parent = nullptr);
    ~Animation() override;

    // Binds the panel (nullptr unbinds it; the timeline settings are saved then).
    void SetSceneGraph(outside::SceneGraphPtr VellumSceneGraph, outside::ApplierPtr caCApplier);
    bool Enabled() const;
    // Stores the flag only; unlike QWidget::setEnabled it leaves every child as it is.
    void setEnabled(bool value);
    void SetModePrepare(std::int32_t cdtMode);
    void sldFrameChange(bool bValidateRange, bool bUpdateProgressBar);
    // Asks for options and a file, then saves the frame at the start of the working sub-range
    // as the animation camera sees it.
    void CreateSnapshot();
    void RestoreShapeState(outside::ShapePtr& csShape, bool bRedraw);
    void HaltAnimation();
    // A 320 x 240 picture of the animation camera's view, rendered offscreen.
    QImage picCreatePreview();
    // Shows on the key-frame tools what is true of the active component at the current frame.
    void ButtonsEnable();
    void setUdtLastPanelOpened(std::int32_t value);
    std::int32_t udtLastPanelOpened() const;
    // The timeline grid: rows of the selected components' animated items, a column per frame.
    // Its operations end quietly at a failure, keeping what was drawn.
    void TimelineActiveStateChange();
    void ReloadTimelineKeyFrames();
    void PrepareTimeLine();
    // Accepted and ignored.
    void Set3DVellumStatus(bool bStatus, bool bApplyToAnimationBar);
    void DisplayRangeOfEffect(std::int32_t lStartColumn, std::int32_t lEndColumn);
    // Whether the group has a key at exactly that frame.
    bool bGetAnimationKeyFrameStatus(const outside::GroupPtr& cgGroup, float sAnimationTime);
    void SetupPanel();
    // Evaluates the scene at the current frame: shapes, lights, cameras, scripts, look-ats.
    void RefreshScene();
    // Each runs one component's script; a failing script is reported (only while nothing plays),
    // stops a running playback, and can be edited. They never fail because of the script.
    void RunCameraScript(outside::SceneGraphPtr& VellumSceneGraph, outside::CameraPtr& ccCamera,
                         bool& bScriptChanged, std::int32_t& DeviceID);
    void RunLightScript(outside::SceneGraphPtr& VellumSceneGraph, outside::LightPtr& clLight,
                        bool& bScriptChanged, std::int32_t& DeviceID);
    void RunGroupScript(outside::SceneGraphPtr& VellumSceneGraph, std::int32_t udtMode,
                        outside::GroupPtr& cgGroup, bool& bScriptChanged, std::int32_t DeviceID);
    void RunShapeScript(outside::SceneGraphPtr& VellumSceneGraph, outside::ShapePtr& csShape,
                        std::int32_t lSceneDeviceID, bool& bScriptChanged);
    void ApplyLookAts();
    WId hwnd();

signals:
    void evtreqButtonsEnable();
    void evtreqRenderAllViews();
    void evtReqPrepareForSceneChanges();
    void evtReqApplySceneChanges();
    void evtReqPrepareForAnimation(int& AnimationMode);
    void evtReqRestoreFromAnimation(int& AnimationMode);
    void evtreqAnimateCamera(int& AnimationMode);
    void evtReqSetMode(std::int32_t& cdtMode, bool& bShowProgress);
    void evtReqUpdateStatusBar(QString& LabelPosition, QString& LabelMisc);
    void Resize();
    void evtreqUpdateCameraPositions(std::int16_t& IgnoreView);
    void evtReqWarn(QString& ApplicationRegistryKey, QString& Warning,
                    QString& WarningRegistryEntry);

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    friend class AnimationPrivate;
    std::unique_ptr<AnimationPrivate> const d;
};

} // namespace vellum::animation
