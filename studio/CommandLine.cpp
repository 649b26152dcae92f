#include "CommandLine.h"

#include "farm/FarmRequest.h"

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
    const QCommandLineOption play(
        QStringLiteral("play"),
        QCoreApplication::translate("CommandLine", "Start playback once the window is up."));
    const QCommandLineOption playFullScreen(
        QStringLiteral("play-full-screen"),
        QCoreApplication::translate("CommandLine",
                                    "Start full-screen playback once the window is up."));
    const QCommandLineOption ghost(
        QStringLiteral("ghost"),
        QCoreApplication::translate("CommandLine", "Play the ghost frames once the window is up."));
    const QCommandLineOption quitAfter(
        QStringLiteral("quit-after"),
        QCoreApplication::translate("CommandLine",
                                    "Quit after this many seconds, printing the last status "
                                    "text (and saving the screenshot, if asked for, then)."),
        QStringLiteral("seconds"));
    const QCommandLineOption selectGroup(
        QStringLiteral("select-group"),
        QCoreApplication::translate("CommandLine", "Select the group with this number first."),
        QStringLiteral("number"));
    const QCommandLineOption selectOperations(
        QStringLiteral("select-operations"),
        QCoreApplication::translate(
            "CommandLine", "Select the first operation component of the group with this number."),
        QStringLiteral("number"));
    const QCommandLineOption timeline(
        QStringLiteral("timeline"),
        QCoreApplication::translate("CommandLine", "Open the panel's timeline grid."));
    parser.addOption(screenshot);
    parser.addOption(selectGroup);
    parser.addOption(selectOperations);
    parser.addOption(timeline);
    parser.addOption(frame);
    parser.addOption(play);
    parser.addOption(playFullScreen);
    parser.addOption(ghost);
    parser.addOption(quitAfter);
    addRecordingOptions(parser);
    addFarmOptions(parser);

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
    for (const auto& [option, chosen] :
         {std::pair{&selectGroup, &options.selectGroup},
          std::pair{&selectOperations, &options.selectOperationsOf}}) {
        if (!parser.isSet(*option))
            continue;
        bool ok = false;
        const int number = parser.value(*option).toInt(&ok);
        if (!ok || number < 1) {
            result.error =
                QCoreApplication::translate("CommandLine", "--%1 needs a group number, not \"%2\".")
                    .arg(option->names().constFirst(), parser.value(*option));
            return result;
        }
        *chosen = number;
    }
    options.recording = readRecordingOptions(parser, result.error);
    if (result.error.isEmpty())
        options.farm = readFarmOptions(parser, options.recording, result.error);
    if (!result.error.isEmpty())
        return result;
    options.showTimeline = parser.isSet(timeline);
    const QList<std::pair<const QCommandLineOption*, QString>> starters = {
        {&play, QStringLiteral("cmdPlay")},
        {&playFullScreen, QStringLiteral("cmdPlayFullScreen")},
        {&ghost, QStringLiteral("cmdPlayGhost")}};
    for (const auto& [option, button] : starters) {
        if (!parser.isSet(*option))
            continue;
        if (!options.startButton.isEmpty()) {
            result.error = QCoreApplication::translate(
                "CommandLine", "Give at most one of --play, --play-full-screen and --ghost.");
            return result;
        }
        options.startButton = button;
    }
    if (parser.isSet(quitAfter)) {
        bool ok = false;
        const double seconds = parser.value(quitAfter).toDouble(&ok);
        if (!ok || seconds < 0.0) {
            result.error = QCoreApplication::translate(
                               "CommandLine", "--quit-after needs a number of seconds, not \"%1\".")
                               .arg(parser.value(quitAfter));
            return result;
        }
        options.quitAfterSeconds = seconds;
    }
    result.options = options;
    return result;
}

} // namespace vellum::studio
