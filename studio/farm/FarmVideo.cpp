#include "FarmVideo.h"

#include "FarmError.h"
#include "FarmJob.h"
#include "HeadlessRecording.h"

#include <Error.h>
#include <QFile>
#include <QFileInfo>
#include <outside/GraphicsUtility.h>
#include <outside/RenderUtility.h>
#include <sg/SceneGraph.h>

namespace vellum::studio {

namespace {

constexpr int MotionBlurSubFrames = 8;

QImage renderedFrame(const FarmJob& job, int frame)
{
    QImage picture;
    if (!picture.load(job.frameFile(frame, "bmp")))
        throw FarmError(QStringLiteral("Frame %1 is not a picture: %2")
                            .arg(frame)
                            .arg(job.frameFile(frame, "bmp")));
    return picture;
}

} // namespace

FarmVideo::FarmVideo(const FarmJob& job, const RecordingRequest& request, sg::SceneGraph& graph)
    : m_job(job), m_request(request), m_file(QFileInfo(request.file).absoluteFilePath()),
      m_video(graph.CreateGraphicsUtility()), m_render(graph.CreateRenderUtility())
{
    // The writer tells the container by the suffix, so the partial file keeps it.
    const QFileInfo output(m_file);
    m_partial = output.absolutePath() + QLatin1Char('/') + output.completeBaseName() +
                QLatin1String(".farm-partial.") + output.suffix();
}

FarmVideo::~FarmVideo()
{
    if (!m_open)
        return;
    try {
        close();
    } catch (const FarmError&) {
    }
    QFile::remove(m_partial);
}

void FarmVideo::addRendered()
{
    while (m_next < m_job.frameCount() && m_job.state(m_next) == FarmJob::FrameState::Done)
        add(m_next++);
}

void FarmVideo::finish()
{
    while (m_next < m_job.frameCount())
        add(m_next++);
    close();
    QFile::remove(m_file);
    if (!QFile::rename(m_partial, m_file))
        throw FarmError(QStringLiteral("Cannot write %1: the finished video stays in %2.")
                            .arg(m_file, m_partial));
}

int FarmVideo::videoFrames() const
{
    return m_request.motionBlur ? 1 + (m_job.frameCount() - 1) / MotionBlurSubFrames
                                : m_job.frameCount();
}

// Frame 0 alone, then with motion blur each eighth frame blends the eight before it.
void FarmVideo::add(int frame)
{
    try {
        QImage picture = renderedFrame(m_job, frame);
        if (frame == 0) {
            m_open = true;
            m_video->AviOpen(m_partial, picture, m_request.framesPerSecond);
            m_video->AviAddFrame(picture, 0);
        } else if (!m_request.motionBlur) {
            m_video->AviAddFrame(picture, frame);
        } else {
            m_ring[std::size_t((frame - 1) % MotionBlurSubFrames)] = picture;
            if (frame % MotionBlurSubFrames == 0) {
                m_render->BlendPictures(m_ring, picture);
                m_video->AviAddFrame(picture, frame / MotionBlurSubFrames);
            }
        }
    } catch (const Error& error) {
        throw FarmError(QStringLiteral("Cannot write %1: %2").arg(m_file, error.description()));
    }
}

void FarmVideo::close()
{
    m_open = false;
    try {
        m_video->AviClose();
    } catch (const Error& error) {
        throw FarmError(QStringLiteral("Cannot write %1: %2").arg(m_file, error.description()));
    }
}

} // namespace vellum::studio
