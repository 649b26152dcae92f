#pragma once

#include <QString>

namespace vellum::studio {

// Where a farm recording stands; its line is what the terminal shows.
struct FarmProgress
{
    int total = 0;
    int done = 0;
    int failed = 0; // frames whose last attempt failed
    int running = 0;
    double elapsedSeconds = 0.0;
    double renderSecondsSum = 0.0; // of the done frames the tasks timed
    int timedFrames = 0;
    QString waiting; // the controller's reason while frames wait and none runs

    // Remaining frames × the mean frame time, shared by the frames running at once.
    double etaSeconds() const;
    QString line() const;
};

QString clockText(double seconds);

} // namespace vellum::studio
