#pragma once

#include "PlaybackRun.h"

#include <QImage>
#include <array>

namespace vellum::animation {

class AnimationPrivate;

// What a record run adds to the run loop: after each sub-frame, the picture it rendered is
// blended (with motion blur) and written as the next frame of the video or bitmap series.
class RecordRun : public RunRecording
{
public:
    explicit RecordRun(AnimationPrivate& panel) : m_panel(panel) {}

    bool raytraces() const override;
    std::int32_t framesPerSecond() const override;
    float loopRate() const override;
    void prepare(const QString& fileName) override;
    QString recordFrame(std::int32_t subFrame, std::int32_t frameCount) override;
    void release() override;

private:
    QString progressText(std::int32_t subFrame, std::int32_t frameCount) const;
    // The raytraced branch: the raytracer bridge renders the frame at the recording's size.
    QImage raytracedFrame();
    // Motion blur: whether the sub-frame completes an output frame, which is then blended.
    bool completesFrame(std::int32_t subFrame, QImage& frame);
    void write(const QImage& frame, std::int32_t outputFrame, std::int32_t frameCount);

    AnimationPrivate& m_panel;
    std::array<QImage, 8> m_ring;
    QString m_folder;
    QString m_baseName;
    QString m_extension;
};

} // namespace vellum::animation
