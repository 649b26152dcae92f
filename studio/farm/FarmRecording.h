#pragma once

#include "FarmRequest.h"

namespace vellum::studio {

class FarmJob;
class MainWindow;

// Records through the panel as recordHeadless does, but every raytrace it asks for is queued as
// a frame of a job on the cluster; once the cluster has rendered them all they are put together
// into the video. Run again, it renders only what is missing. 0 only when the video is there.
int recordOnFarm(MainWindow& window, const RecordingRequest& request, const FarmRequest& farm);

// Its first step: the panel's own raytraced recording with each raytrace queued into the job;
// 0 when the panel completed it.
int exportFrames(MainWindow& window, const RecordingRequest& request, FarmJob& job);

} // namespace vellum::studio
