#pragma once

#include <QString>
#include <optional>

namespace vellum::studio {

class MainWindow;
struct StudioOptions;

inline constexpr int ScreenshotWidth = 1280;
inline constexpr int ScreenshotHeight = 800;

// Lays the window out at the screenshot size, moves the animation to the frame when one is
// given, draws the views and saves a picture of the whole window. Returns the process exit
// status; on failure the reason went to stderr.
int takeScreenshot(MainWindow& window, const QString& path, std::optional<int> frame);

// Selects the group or operation component and opens the timeline, as the command line asks.
void applyStartState(MainWindow& window, const StudioOptions& options);

// Moves the panel's frame slider, as a person dragging it would; false if it refused.
bool moveToFrame(MainWindow& window, int frame, QString* error = nullptr);

} // namespace vellum::studio
