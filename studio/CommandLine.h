#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace vellum::studio {

struct StudioOptions
{
    QString sceneFile;      // empty: the demo scene
    QString screenshotFile; // empty: run interactively
    std::optional<int> frame;
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
