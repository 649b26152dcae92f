#include "AnimationWindow.h"

#include "ApplicationState.h"
#include "Camera.h"
#include "ErrorRule.h"
#include "GraphicsUtility.h"
#include "Group.h"
#include "ModuleState.h"
#include "PictureFactory.h"
#include "RenderUtility.h"
#include "SceneGraph.h"
#include "Viewport.h"

#include <QKeyEvent>

namespace vellum::animation {

using namespace outside;

int viewportAntiAliasing(int recordAntiAlias)
{
    switch (recordAntiAlias) {
    case 0:
        return 0;
    case 1:
        return 2;
    default:
        return 4;
    }
}

AnimationWindow::AnimationWindow(QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("frmAnimate"));
    setWindowTitle(QStringLiteral("Recording Animation"));
    QFont tahoma = font();
    tahoma.setFamilies({QStringLiteral("Tahoma"), tahoma.family()});
    setFont(tahoma);
    setFocusPolicy(Qt::StrongFocus);

    m_picDummy = new QWidget(this);
    m_picDummy->setObjectName(QStringLiteral("picDummy"));
    m_picDummy->setGeometry(0, 0, 1, 1);
    m_viewport = createViewport(this);
    required(m_viewport->widget())->setObjectName(QStringLiteral("dfvViewport"));
    m_viewport->onMouseEvent(
        [] { endQuietly([] { applicationState()->setAnimationRunning(false); }); });
    m_viewport->onDrawn([this] {
        if (module().recordingActive)
            endQuietly([this] { captureDrawnFrame(); });
    });

    move(0, y());
    const ApplicationStatePtr state = applicationState();
    m_viewport->setBackgroundTexture(state->UseBackgroundTexture() ? state->BackgroundTexture()
                                                                   : QString());
    const AnimationSettings settings = state->AnimationSettings();
    m_viewport->setSettingValueA(renderUtility().ConvertSettingValue(settings.viewportShading));
    m_viewport->setSettingValueB(settings.viewportDetail);
}

AnimationWindow::~AnimationWindow() = default;

void AnimationWindow::prepare(int mode)
{
    placeOver(mode);
    m_viewport->setAntiAliasing(viewportAntiAliasing(module().recordAntiAlias));
    const ApplicationStatePtr state = applicationState();
    m_viewport->setDisplayOption(state->ViewportOption());
    m_viewport->Draw();
    SceneGraphPtr graph = module().gcCSG;
    m_viewport->AttachScene(graph, state->ActiveView());
    module().gcCSG = graph;
    m_viewport->setSettingValueC(0);
    bringToFront();
    showInitialCamera();
    if (mode == amPlayFullScreen)
        graphicsUtility().SetNormalDisplay(false);
}

// Full screen covers the host's rendering rectangle; a recording keeps its own size, centred in
// that rectangle.
void AnimationWindow::placeOver(int mode)
{
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    pictureFactory().MaximumDimensions(left, top, width, height);

    QSize client(width, height);
    QPoint target(left, top);
    if (mode != amPlayFullScreen) {
        client = QSize(module().recordWidth, module().recordHeight);
        target = QPoint(left + (width - client.width()) / 2, top + (height - client.height()) / 2);
    }
    setFixedSize(client);
    required(m_viewport->widget())->setGeometry(QRect(QPoint(0, 0), client));
    setGeometry(QRect(target, client));
    show();
    // Window frames are known only once shown: correct by where the client area really is.
    std::int32_t clientX = 0;
    std::int32_t clientY = 0;
    graphicsUtility().ScreenPosition(m_picDummy, clientX, clientY);
    move(pos() + target - QPoint(clientX, clientY));
}

void AnimationWindow::bringToFront()
{
    raise();
    activateWindow();
    setFocus(Qt::ActiveWindowFocusReason);
}

void AnimationWindow::showInitialCamera()
{
    const ApplicationStatePtr state = applicationState();
    const QList<CameraPtr> cameras = sceneGraph().ViewCameras(state->ActiveView());
    if (cameras.isEmpty())
        throw Error(ErrorNumber::SubscriptOutOfRange, QStringLiteral("Subscript out of range"));
    const GroupPtr carrier = required(required(cameras.first())->ParentGroup());
    Vector3 position;
    Vector3 direction;
    Vector3 up;
    carrier->ViewPosition(nullptr, -1.0f, position);
    carrier->ViewOrientation(nullptr, -1.0f, direction, up);
    placeCamera(position, direction, up);
    m_viewport->Draw();
    m_viewport->Draw();
}

void AnimationWindow::handOff(const Vector3& position, const Vector3& direction, const Vector3& up,
                              Camera& camera)
{
    placeCamera(position, direction, up);
    m_viewport->setCameraFieldOfView(camera.FieldOfView(-1.0f));
}

void AnimationWindow::placeCamera(const Vector3& position, const Vector3& direction,
                                  const Vector3& up)
{
    float x = position.x, y = position.y, z = position.z;
    m_viewport->SetCameraPosition(x, y, z);
    float dx = direction.x, dy = direction.y, dz = direction.z;
    float ux = up.x, uy = up.y, uz = up.z;
    m_viewport->SetCameraOrientation(dx, dy, dz, ux, uy, uz);
}

void AnimationWindow::draw()
{
    m_viewport->Draw();
}

outside::SceneGraphPtr AnimationWindow::cCSG() const
{
    return module().gcCSG;
}

bool AnimationWindow::focusNextPrevChild(bool /*next*/)
{
    return false;
}

void AnimationWindow::setCaption(const QString& caption)
{
    setWindowTitle(caption);
}

void AnimationWindow::captureDrawnFrame()
{
    std::int32_t x = 0;
    std::int32_t y = 0;
    graphicsUtility().ScreenPosition(m_picDummy, x, y);
    bringToFront();
    const QSize size = required(m_viewport->widget())->size();
    module().offscreenPicture =
        pictureFactory().CreateOffscreenPicture(x, y, size.width(), size.height(), 0);
}

void AnimationWindow::keyPressEvent(QKeyEvent* event)
{
    event->accept();
    ignoreFailure([] { applicationState()->setAnimationRunning(false); });
}

} // namespace vellum::animation
