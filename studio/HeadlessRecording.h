#pragma once

#include <QSize>
#include <QString>
#include <optional>
#include <utility>

class QCommandLineParser;

namespace vellum::studio {

class MainWindow;

// A recording or a snapshot asked for on the command line: the options a person would choose
// in the panel's recording or snapshot options dialog.
struct RecordingRequest
{
    QString file;
    QSize size{320, 240};
    int framesPerSecond = 15;
    int antiAlias = 0; // 0 none, 1 "4x", 2 "16x"
    bool motionBlur = false;
    bool images = false; // a bitmap series (.bmp, or .png when the file says so)
    bool raytrace = false;
    bool quiet = false;    // the caller reports progress and completion
    bool snapshot = false; // one frame through the panel's snapshot instead of its record button
    // The working range to record, first and last frame; none: the whole animation.
    std::optional<std::pair<int, int>> range{};
};

void addRecordingOptions(QCommandLineParser& parser);
// The request when --record or --snapshot was given; a bad option gives an error text instead.
std::optional<RecordingRequest> readRecordingOptions(const QCommandLineParser& parser,
                                                     QString& error);

// Records through the panel's own record button, or takes its snapshot: the options go where
// its dialog loads them, its dialogs are answered as a person would answer them, and progress
// goes to the terminal. 0 only when the recording completed and its file is there.
int recordHeadless(MainWindow& window, const RecordingRequest& request);

} // namespace vellum::studio
