#pragma once

#include "VellumSGExport.h"

#include <QImage>
#include <QString>
#include <cstdint>
#include <memory>

namespace vellum::sg {

// A video file written frame by frame through the FFmpeg libraries. The container follows the
// file's extension: .mp4 and .mkv hold H.264 where this FFmpeg has an encoder for it, anything
// else is an AVI of Motion JPEG at a fixed quality. Every failure is raised as an Error with
// FFmpeg's own description; a file whose writing failed is removed when it is closed.
class VELLUMSG_EXPORT VideoWriter
{
public:
    VideoWriter(const QString& fileName, QSize frameSize, int framesPerSecond);
    ~VideoWriter();
    VideoWriter(const VideoWriter&) = delete;
    VideoWriter& operator=(const VideoWriter&) = delete;

    // The frame must have the size the file was opened with; frameIndex is its presentation
    // number at the file's rate.
    void addFrame(const QImage& frame, std::int64_t frameIndex);
    // Flushes the encoder and finishes the file.
    void close();

    QString codecName() const;

private:
    struct Handles;
    std::unique_ptr<Handles> d;
};

} // namespace vellum::sg
