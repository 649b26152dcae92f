// What the farm adds per frame to the raytracer's own work: exporting the frame through the
// panel's raytraced recording, submitting it to the cluster, and putting it into the video.
// The submission part needs the local cluster (SLURM_CONF); its tasks only exit.
#include "MainWindow.h"
#include "farm/FarmJob.h"
#include "farm/FarmRecording.h"
#include "farm/FarmVideo.h"
#include "farm/SlurmCluster.h"

#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sg/SceneGraph.h>

using namespace vellum;
using namespace vellum::studio;

namespace {

constexpr int Frames = 20;

void BM_FarmOverheadPerFrame_320x240(benchmark::State& state)
{
    QTemporaryDir folder;
    MainWindow window;
    RecordingRequest request;
    request.file = folder.filePath(QStringLiteral("bench.mp4"));
    request.framesPerSecond = 10;
    request.raytrace = true;
    request.range = std::pair(0, Frames - 1);
    FarmJob job(FarmJob::folderFor(folder.path(), request.file));
    QFile script(folder.filePath(QStringLiteral("exit.sh")));
    if (!script.open(QIODevice::WriteOnly) || script.write("#!/bin/sh\nexit 0\n") < 0)
        state.SkipWithError("cannot write the task script");
    script.close();
    const bool cluster = !qEnvironmentVariableIsEmpty("SLURM_CONF") &&
                         !QStandardPaths::findExecutable(QStringLiteral("sbatch")).isEmpty();
    SlurmCluster slurm({});
    // A picture with the demo's kind of content, so that encoding costs what it does for real.
    QImage picture(request.size, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgb(x * 255 / picture.width(), y, (x ^ y) & 0xff));

    double phases[3] = {0.0, 0.0, 0.0}; // export, submission, assembly: ms per frame
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        job.prepare();
        if (exportFrames(window, request, job) != 0 || job.frameCount() != Frames) {
            state.SkipWithError(QStringLiteral("the export did not complete (%1 frames)")
                                    .arg(job.frameCount())
                                    .toStdString()
                                    .c_str());
            break;
        }
        const qint64 exported = clock.nsecsElapsed();
        if (cluster) {
            QList<int> frames;
            for (int frame = 0; frame < Frames; ++frame)
                frames.append(frame);
            slurm.submit({QStringLiteral("vellum-bench"), job.framesFolder(), script.fileName()},
                         frames);
        }
        const qint64 submitted = clock.nsecsElapsed();
        state.PauseTiming();
        for (int frame = 0; frame < Frames; ++frame)
            picture.save(job.frameFile(frame, "bmp"), "BMP");
        state.ResumeTiming();
        clock.restart();
        FarmVideo(job, request, window.sceneGraph()).finish();
        const qint64 assembled = clock.nsecsElapsed();
        const double perFrame = 1e6 * Frames;
        phases[0] += double(exported) / perFrame;
        phases[1] += double(submitted - exported) / perFrame;
        phases[2] += double(assembled) / perFrame;
        state.SetIterationTime(double(submitted + assembled) / 1e9 / Frames);
    }
    const double runs = double(state.iterations());
    state.counters["export_ms"] = phases[0] / runs;
    state.counters["submit_ms"] = phases[1] / runs;
    state.counters["assemble_ms"] = phases[2] / runs;
    state.counters["with_submission"] = cluster ? 1 : 0;
}
BENCHMARK(BM_FarmOverheadPerFrame_320x240)
    ->UseManualTime()
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

} // namespace
