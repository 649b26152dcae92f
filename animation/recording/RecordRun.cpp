#include "RecordRun.h"

#include "AnimationPrivate.h"
#include "AppUtility.h"
#include "ApplicationState.h"
#include "CopyPicture.h"
#include "GraphicsUtility.h"
#include "ModuleState.h"
#include "Platform.h"
#include "RaytraceFrame.h"
#include "RenderUtility.h"
#include "SeriesFileName.h"
#include "XPButton.h"

namespace vellum::animation {

namespace {

constexpr std::int32_t SubFrames = 8;

} // namespace

bool RecordRun::raytraces() const
{
    return module().recordRaytrace;
}

std::int32_t RecordRun::framesPerSecond() const
{
    return module().recordFPS;
}

float RecordRun::loopRate() const
{
    const ModuleState& shared = module();
    return float(shared.recordMotionBlur ? shared.recordFPS * SubFrames : shared.recordFPS);
}

void RecordRun::prepare(const QString& fileName)
{
    m_ring = {};
    if (module().recordSaveAsImages)
        appUtility().SplitPath(fileName, m_baseName, m_folder, m_extension);
}

QString RecordRun::recordFrame(std::int32_t subFrame, std::int32_t frameCount)
{
    const QString progress = progressText(subFrame, frameCount);
    // Without raytracing the window has captured the frame into the offscreen picture, which is
    // blended in place.
    QImage raytraced;
    if (raytraces()) {
        raytraced = raytracedFrame();
        // A raytrace that failed has been reported and leaves nothing to write.
        if (raytraced.isNull())
            return progress;
    } else {
        m_panel.animationWindow().setCaption(progress);
    }
    QImage& frame = raytraces() ? raytraced : module().offscreenPicture;
    if (!module().recordMotionBlur)
        write(frame, subFrame, frameCount);
    else if (completesFrame(subFrame, frame))
        write(frame, subFrame / SubFrames, frameCount);
    return progress;
}

QString RecordRun::progressText(std::int32_t subFrame, std::int32_t frameCount) const
{
    const std::int32_t shown =
        module().recordMotionBlur && subFrame > 0 ? (subFrame - 1) / SubFrames + 2 : subFrame + 1;
    QString text = QStringLiteral("Recording Animation Frame %1").arg(shown);
    if (!m_panel.widgets.chkAutoRepeat->Value())
        text += QStringLiteral(" of %1").arg(frameCount);
    return text;
}

QImage RecordRun::raytracedFrame()
{
    const ModuleState& shared = module();
    QImage picture;
    QString scenePath;
    RaytraceFrame(applicationState()->Scene(), shared.recordWidth, shared.recordHeight,
                  shared.recordAntiAlias, picture, scenePath);
    return picture;
}

bool RecordRun::completesFrame(std::int32_t subFrame, QImage& frame)
{
    if (subFrame == 0)
        return true; // the first frame goes out unblended
    const std::size_t slot = std::size_t((subFrame - 1) % SubFrames);
    m_ring[slot] = CopyPicture(frame);
    if (subFrame % SubFrames != 0)
        return false;
    renderUtility().BlendPictures(m_ring, frame);
    return true;
}

void RecordRun::write(const QImage& frame, std::int32_t outputFrame, std::int32_t frameCount)
{
    if (module().recordSaveAsImages)
        outside::platform().SavePicture(
            frame, seriesFileName(m_folder, m_baseName, m_extension, outputFrame + 1, frameCount));
    else
        graphicsUtility().AviAddFrame(frame, outputFrame);
}

void RecordRun::release()
{
    m_ring = {};
}

} // namespace vellum::animation
