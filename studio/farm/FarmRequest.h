#pragma once

#include "HeadlessRecording.h"

#include <QString>
#include <optional>

class QCommandLineParser;

namespace vellum::studio {

// A raytraced recording spread over a cluster, as the command line asked for it.
struct FarmRequest
{
    QString partition;    // empty: the cluster's default
    QString sharedFolder; // every node sees it; the job folder is made inside
    int cpusPerTask = 1;
    int throttle = 0; // at most this many frames at once; 0: as many as the cluster runs
    int attempts = 3; // a frame that failed this often is given up
};

void addFarmOptions(QCommandLineParser& parser);
// The request when --farm was given; a bad option gives an error text instead.
std::optional<FarmRequest> readFarmOptions(const QCommandLineParser& parser,
                                           const std::optional<RecordingRequest>& recording,
                                           QString& error);

} // namespace vellum::studio
