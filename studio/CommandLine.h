#pragma once

#include "HeadlessRecording.h"
#include "farm/FarmRequest.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace vellum::studio {

struct StudioOptions
{
    QString sceneFile;      // empty: the demo scene
    QString screenshotFile; // empty: run interactively
    std::optional<int> frame;
    // The panel button to press once the window is up (cmdPlay …); empty: none.
    QString startButton;
    // A group to select and whether to open the panel's timeline, before anything else.
    std::optional<int> selectGroup;
    // A group whose first operation component to select after that.
    std::optional<int> selectOperationsOf;
    bool showTimeline = false;
    // Quit by itself after that long; with a screenshot file, the window is saved then.
    std::optional<double> quitAfterSeconds;

    // Record through the panel and exit.
    std::optional<RecordingRequest> recording;
    // ... with its raytraced frames rendered on a cluster.
    std::optional<FarmRequest> farm;

    // Nobody is there to answer a dialog: messages go to standard error instead.
    bool unattended() const
    {
        return !screenshotFile.isEmpty() || quitAfterSeconds.has_value() || recording.has_value();
    }
};

// Parses the arguments (the program name first). On a bad command line, the text to show
// and no options.
struct ParsedCommandLine
{
    std::optional<StudioOptions> options;
    QString error;
    QString help; // asked for help: print it and stop
};
ParsedCommandLine parseCommandLine(const QStringList& arguments);

} // namespace vellum::studio
