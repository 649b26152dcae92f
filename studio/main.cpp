#include "AutoRun.h"
#include "CommandLine.h"
#include "MainWindow.h"
#include "Screenshot.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vellum Studio"));
    QApplication::setOrganizationName(QStringLiteral("Vellum"));
    QApplication::setApplicationVersion(QStringLiteral("0.1"));

    const vellum::studio::ParsedCommandLine parsed =
        vellum::studio::parseCommandLine(QApplication::arguments());
    if (!parsed.help.isEmpty()) {
        std::fprintf(stdout, "%s", qPrintable(parsed.help));
        return 0;
    }
    if (!parsed.options) {
        std::fprintf(stderr, "%s\n", qPrintable(parsed.error));
        return 2;
    }
    const vellum::studio::StudioOptions& options = *parsed.options;

    vellum::studio::MainWindow window;
    const bool headless = !options.screenshotFile.isEmpty() && !options.quitAfterSeconds;
    if (headless) {
        // Nobody is there to close a message box.
        QString error;
        if (!options.sceneFile.isEmpty() && !window.openSceneFile(options.sceneFile, &error)) {
            std::fprintf(stderr, "vellum-studio: %s\n", qPrintable(error));
            return 1;
        }
        vellum::studio::applyStartState(window, options);
        return vellum::studio::takeScreenshot(window, options.screenshotFile, options.frame);
    }
    if (!options.sceneFile.isEmpty())
        window.openSceneFile(options.sceneFile);
    vellum::studio::applyStartState(window, options);
    if (options.frame)
        vellum::studio::moveToFrame(window, *options.frame);
    window.show();
    vellum::studio::AutoRun autoRun(window, options);
    autoRun.start();
    return QApplication::exec();
}
