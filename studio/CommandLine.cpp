#include "CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace vellum::studio {

ParsedCommandLine parseCommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QCoreApplication::translate("CommandLine", "A small modeller to animate scenes in."));
    parser.addHelpOption();
    parser.addPositionalArgument(
        QStringLiteral("scene"),
        QCoreApplication::translate("CommandLine",
                                    "Scene file to open (JSON); the demo otherwise."),
        QStringLiteral("[scene]"));
    const QCommandLineOption screenshot(
        QStringLiteral("screenshot"),
        QCoreApplication::translate("CommandLine", "Save a picture of the window and exit."),
        QStringLiteral("file.png"));
    const QCommandLineOption frame(
        QStringLiteral("frame"),
        QCoreApplication::translate("CommandLine", "Move the animation to this frame first."),
        QStringLiteral("n"));
    parser.addOption(screenshot);
    parser.addOption(frame);

    ParsedCommandLine result;
    if (!parser.parse(arguments)) {
        result.error = parser.errorText();
        return result;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        result.help = parser.helpText();
        return result;
    }
    if (parser.positionalArguments().size() > 1) {
        result.error = QCoreApplication::translate("CommandLine", "Give at most one scene file.");
        return result;
    }
    StudioOptions options;
    options.sceneFile = parser.positionalArguments().value(0);
    options.screenshotFile = parser.value(screenshot);
    if (parser.isSet(frame)) {
        bool ok = false;
        const int value = parser.value(frame).toInt(&ok);
        if (!ok || value < 0) {
            result.error = QCoreApplication::translate("CommandLine",
                                                       "--frame needs a frame number, not \"%1\".")
                               .arg(parser.value(frame));
            return result;
        }
        options.frame = value;
    }
    result.options = options;
    return result;
}

} // namespace vellum::studio
