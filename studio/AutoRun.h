#pragma once

#include "CommandLine.h"

#include <QImage>
#include <QObject>

namespace vellum::studio {

class MainWindow;

// What the command line asks a running studio to do by itself: press a playback button once the
// window is up, and quit after a while, printing the last status text and saving a screenshot.
class AutoRun : public QObject
{
    Q_OBJECT

public:
    AutoRun(MainWindow& window, const StudioOptions& options);

    // Call once the window is shown; the event loop does the rest.
    void start();

private:
    void pressStartButton();
    void quit();
    QImage picture() const;

    MainWindow& m_window;
    const StudioOptions m_options;
};

} // namespace vellum::studio
