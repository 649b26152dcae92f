#pragma once

// What the recording tests share: ffprobe's view of a video.

#include <QProcess>
#include <QString>

namespace vellum::studio {

// The streams' codec, size, rate and counted frames, as one line per stream.
inline QString probe(const QString& file)
{
    QProcess ffprobe;
    ffprobe.start(QStringLiteral("ffprobe"),
                  QStringLiteral("-v error -count_frames -show_entries "
                                 "stream=codec_name,width,height,r_frame_rate,nb_read_frames "
                                 "-of csv=p=0")
                          .split(u' ')
                      << file);
    ffprobe.waitForFinished(60000);
    return QString::fromUtf8(ffprobe.readAllStandardOutput()).trimmed();
}

} // namespace vellum::studio
