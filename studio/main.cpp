#include "AutoRun.h"
#include "CommandLine.h"
#include "HeadlessPlatform.h"
#include "HeadlessRecording.h"
#include "MainWindow.h"
#include "Screenshot.h"
#include "farm/FarmRecording.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QScreen>
#include <QTemporaryDir>
#include <cstdio>
#include <optional>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vellum Studio"));
    QApplication::setOrganizationName(QStringLiteral("Vellum"));
    QApplication::setApplicationVersion(QStringLiteral(VELLUM_VERSION));
    // The raytracer's work files are named after the millisecond: two studios raytracing at once
    // in one shared folder would take each other's files.
    std::optional<QTemporaryDir> ownTemp;
    if (qEnvironmentVariableIsEmpty("temp") && qEnvironmentVariableIsEmpty("TEMP") &&
        ownTemp.emplace(QDir::tempPath() + QStringLiteral("/vellum-studio-XXXXXX")).isValid())
        qputenv("temp", QFile::encodeName(ownTemp->path()));

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

    vellum::studio::HeadlessPlatform* headless =
        options.unattended() ? &vellum::studio::HeadlessPlatform::install() : nullptr;
    vellum::studio::MainWindow window;
    // A run nobody watches has nothing to show in place of the scene it was asked for.
    if (!options.sceneFile.isEmpty() && !window.openSceneFile(options.sceneFile) && headless)
        return headless->exitCode();
    vellum::studio::applyStartState(window, options);
    if (options.farm)
        return vellum::studio::recordOnFarm(window, *options.recording, *options.farm);
    if (options.recording)
        return vellum::studio::recordHeadless(window, *options.recording);
    if (headless && !options.quitAfterSeconds) {
        const int status =
            vellum::studio::takeScreenshot(window, options.screenshotFile, options.frame);
        return status != 0 ? status : headless->exitCode();
    }
    QString refusal;
    if (options.frame && !vellum::studio::moveToFrame(window, *options.frame, &refusal))
        vellum::studio::reportFailure(refusal);
    // A first start at the layout's own small size would leave the docks squeezed for good.
    if (const QScreen* screen = window.screen())
        window.resize(screen->availableGeometry().size().boundedTo(
            QSize(vellum::studio::ScreenshotWidth, vellum::studio::ScreenshotHeight)));
    window.show();
    vellum::studio::AutoRun autoRun(window, options);
    autoRun.start();
    return QApplication::exec();
}
