#include "Recording.h"

#include "Animation.h"
#include "AnimationPrivate.h"
#include "ApplicationState.h"
#include "AskUser.h"
#include "ErrorRule.h"
#include "GraphicsUtility.h"
#include "Group.h"
#include "ModuleState.h"
#include "OptionsDialogProfile.h"
#include "PictureFactory.h"
#include "Platform.h"
#include "Scene.h"
#include "XPButton.h"

#include <QScopeGuard>

namespace vellum::animation {

using namespace outside;

namespace {

const QString TitleText = QStringLiteral("3D Vellum");

void tell(const QString& text)
{
    platform().MsgBox(text, MsgBoxButtons::OK, MsgBoxIcon::None, TitleText);
}

} // namespace

Recording::Recording(AnimationPrivate& panel) : m_panel(panel), m_run(panel)
{
    QObject::connect(panel.widgets.cmdRecord, &common::XPButton::Click, &panel.q,
                     [this] { cmdRecordClick(); });
}

QImage Recording::picCreatePreview()
{
    ModuleState& shared = module();
    shared.recordWidth = 320;
    shared.recordHeight = 240;
    shared.recordAntiAlias = 0;
    shared.recordSaveAsImages = false;
    shared.recordRaytrace = false;
    shared.recordingActive = true;
    // Nothing else captures once the preview is taken.
    const auto inactive = qScopeGuard([] { module().recordingActive = false; });
    m_panel.animationWindow().setCaption(QStringLiteral("Creating Preview"));
    m_panel.playback.RunAnimation(amSnapshot, QString());
    return shared.offscreenPicture;
}

void Recording::cmdRecordClick()
{
    endQuietly([this] { record(); });
}

void Recording::record()
{
    // Whatever happened, the tree is refreshed and the host recomputes the buttons, last.
    ScenePtr scene;
    const auto last = qScopeGuard([&] {
        ignoreFailure([&] { required(required(scene)->RootGroup())->RefreshTree(true); });
        emit m_panel.q.evtreqButtonsEnable();
    });
    scene = applicationState()->Scene();
    if (!askForOptions(m_panel,
                       QStringLiteral("Videos are recorded using the animation camera. To adjust "
                                      "the animation camera's view, right-click on the grid and "
                                      "select \"Camera->Animation\""),
                       QStringLiteral("Record"), recordOptionsProfile()))
        return;
    const bool images = module().recordSaveAsImages;
    const QString fileName =
        images ? askForOutputFile(QStringLiteral("Windows Bitmap"), QStringLiteral("bmp"))
               : askForOutputFile(QStringLiteral("AVI Animation"), QStringLiteral("avi"));
    if (fileName.isEmpty())
        return;
    if (module().recordSaveAsImages || setUpVideo(fileName)) {
        recordTo(fileName);
        return;
    }
    m_panel.unloadAnimationWindow();
    graphicsUtility().AviClose();
    tell(QStringLiteral("Unable to configure compressor."));
}

// Every step runs, its failure only remembered: the file to replace may be missing or locked,
// and the writer decides.
bool Recording::setUpVideo(const QString& fileName)
{
    ignoreFailure([&] { platform().DeleteFile(fileName); });
    ModuleState& shared = module();
    const bool pictureMade = ignoreFailure([&] {
        shared.offscreenPicture = QImage();
        shared.offscreenPicture = pictureFactory().CreateOffscreenPicture(0, 0, shared.recordWidth,
                                                                          shared.recordHeight, 0);
    });
    const bool opened = ignoreFailure(
        [&] { graphicsUtility().AviOpen(fileName, shared.offscreenPicture, shared.recordFPS); });
    return pictureMade && opened;
}

void Recording::recordTo(const QString& fileName)
{
    ModuleState& shared = module();
    const bool video = !shared.recordSaveAsImages;
    shared.recordingActive = true;
    // A run that fails leaves no writer open behind it; its error goes on.
    auto abandon = qScopeGuard([&] {
        shared.recordingActive = false;
        if (video)
            ignoreFailure([] { graphicsUtility().AviClose(); });
    });
    m_panel.playback.RunAnimation(amRecord, fileName);
    abandon.dismiss();
    shared.recordingActive = false;
    if (video)
        graphicsUtility().AviClose();
    tell(QStringLiteral("Animation Recording Complete."));
}

} // namespace vellum::animation
