#include "Snapshot.h"

#include "Animation.h"
#include "AnimationPrivate.h"
#include "ApplicationState.h"
#include "AskUser.h"
#include "ErrorRule.h"
#include "FlexGrid.h"
#include "ModuleState.h"
#include "OptionsDialogProfile.h"
#include "Platform.h"
#include "PlaybackRun.h"
#include "RaytraceFrame.h"
#include "TrackBar.h"
#include "UpDownText.h"
#include "XPButton.h"

#include <initializer_list>

namespace vellum::animation {

using namespace outside;

namespace {

void tell(const QString& text, MsgBoxIcon icon)
{
    platform().MsgBox(text, MsgBoxButtons::OK, icon, QStringLiteral("3D Vellum"));
}

} // namespace

void Snapshot::CreateSnapshot()
{
    if (askForOptions(m_panel,
                      QStringLiteral("Snapshots are created using the animation camera. To adjust "
                                     "the animation camera's view, right-click on the grid and "
                                     "select \"Camera->Animation\""),
                      QStringLiteral("Snapshot"), snapshotOptionsProfile())) {
        const QString fileName =
            askForOutputFile(QStringLiteral("Windows Bitmap"), QStringLiteral("BMP"));
        if (!fileName.isEmpty())
            takeSnapshot(fileName);
    }
    if (applicationState()->Mode() == ModeAnimationOff)
        disablePanel();
    emit m_panel.q.evtreqButtonsEnable();
}

void Snapshot::takeSnapshot(const QString& fileName)
{
    ModuleState& shared = module();
    shared.recordingActive = true;
    m_panel.animationWindow().setCaption(QStringLiteral("Recording Snapshot"));
    m_panel.playback.RunAnimation(amSnapshot, fileName);
    if (shared.recordRaytrace) {
        // A failed raytrace leaves the picture as it was, and that is what is saved.
        QString scenePath;
        const bool raytraced = ignoreFailure([&] {
            RaytraceFrame(applicationState()->Scene(), shared.recordWidth, shared.recordHeight,
                          shared.recordAntiAlias, shared.offscreenPicture, scenePath);
        });
        if (!raytraced)
            tell(QStringLiteral("An error occurred while raytracing. Restarting your system may "
                                "resolve this problem. 3D Vellum will now close."),
                 MsgBoxIcon::Stop);
    }
    platform().SavePicture(shared.offscreenPicture, fileName);
    m_panel.unloadAnimationWindow();
    tell(QStringLiteral("Snapshot Recording Complete."), MsgBoxIcon::None);
    shared.recordingActive = false;
}

// Out of animation mode the panel stays as disabled as it was before the call.
void Snapshot::disablePanel()
{
    const PanelWidgets& w = m_panel.widgets;
    for (QWidget* widget : std::initializer_list<QWidget*>{
             w.fraAnimationBand2, w.fraAnimationBand3, w.chkAnimationTimeline,
             w.cmdAnimationProperties, w.cmdResetAll, w.cmdReset, w.cmdStart, w.cmdStepBack,
             w.cmdPlay, w.cmdPlayGhost, w.cmdStepForward, w.cmdEnd, w.cmdPlayFullScreen,
             w.chkAutoRepeat, w.cmdRecord, w.txtAnimationTime, w.sldFrame, w.msgTimeline})
        widget->setEnabled(false);
}

} // namespace vellum::animation
