#pragma once

// What the recording tests share: the frames to record, and ffprobe's view of a video.

#include "MainWindow.h"

#include <Animation.h>
#include <QProcess>
#include <TrackBar.h>

namespace vellum::studio {

// Only frames first to last of the animation are recorded.
inline void recordFrames(MainWindow& window, int first, int last)
{
    auto* slider = window.panel()->findChild<common::TrackBar*>(QStringLiteral("sldFrame"));
    slider->setSelStart(first);
    slider->setSelLength(last - first);
}

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
