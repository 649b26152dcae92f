// The whole record path per output frame on the demo scene: pose, refresh, offscreen render,
// capture and MJPEG encoding, through the panel's record button as the command line drives it.
#include "HeadlessRecording.h"
#include "MainWindow.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace vellum::studio;

namespace {

void BM_RecordLoop_640x480(benchmark::State& state)
{
    QTemporaryDir folder;
    MainWindow window;
    const RecordingRequest request{.file = folder.filePath(QStringLiteral("loop.avi")),
                                   .size = QSize(640, 480)};
    const int frames = 151; // 10 seconds of the demo at 15 frames per second
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        if (recordHeadless(window, request) != 0) {
            state.SkipWithError("the recording did not complete");
            break;
        }
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9 / frames);
    }
}
BENCHMARK(BM_RecordLoop_640x480)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

} // namespace
