#pragma once

#include <QImage>
#include <QString>
#include <array>
#include <outside/Forward.h>

namespace vellum::sg {
class SceneGraph;
}

namespace vellum::studio {

class FarmJob;
struct RecordingRequest;

// The video of a farm recording, put together while the cluster renders: each frame goes in as
// soon as it and every frame before it are there, so little is left to do after the last one.
// The same writer and, with motion blur, the same ring of eight blended pictures as the panel's
// own recording. It is written beside the output file and takes the output's name only once
// finished; a run that ends before leaves the output as it was.
class FarmVideo
{
public:
    FarmVideo(const FarmJob& job, const RecordingRequest& request, sg::SceneGraph& graph);
    ~FarmVideo();
    FarmVideo(const FarmVideo&) = delete;
    FarmVideo& operator=(const FarmVideo&) = delete;

    // Adds the rendered frames that follow the ones already in.
    void addRendered();
    // Adds the rest, all of which must be rendered, and gives the video the output's name.
    void finish();
    // Frames the video holds once finished (motion blur makes one of each eight).
    int videoFrames() const;

private:
    void add(int frame);
    void close();

    const FarmJob& m_job;
    const RecordingRequest& m_request;
    QString m_file;
    QString m_partial;
    outside::GraphicsUtilityPtr m_video;
    outside::RenderUtilityPtr m_render;
    std::array<QImage, 8> m_ring;
    int m_next = 0;
    bool m_open = false;
};

} // namespace vellum::studio
