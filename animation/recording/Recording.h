#pragma once

#include "RecordRun.h"

#include <QImage>
#include <QString>

namespace vellum::animation {

class AnimationPrivate;

// The record button's driver and the preview the option dialogs show: options, output file and
// writer set-up, then the run loop in record mode.
class Recording
{
public:
    explicit Recording(AnimationPrivate& panel);

    RecordRun& run() { return m_run; }
    // A 320 x 240 picture of the animation camera's view, without anti-aliasing or raytracing.
    QImage picCreatePreview();

private:
    void cmdRecordClick();
    void record();
    // Opens the video; False when it could not be set up.
    bool setUpVideo(const QString& fileName);
    void recordTo(const QString& fileName);

    AnimationPrivate& m_panel;
    RecordRun m_run;
};

} // namespace vellum::animation
