#include "FarmRecording.h"

#include "FarmError.h"
#include "FarmJob.h"
#include "FarmProgress.h"
#include "FarmVideo.h"
#include "MainWindow.h"
#include "SlurmCluster.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QScopeGuard>
#include <QSet>
#include <QThread>
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <optional>
#include <outside/GraphicsUtility.h>
#include <sg/RenderUtility.h>
#include <sg/SceneGraph.h>

namespace vellum::studio {

namespace {

// A finished frame is seen within a look; the cluster is asked every few looks, so that the
// controller and the shared folder serve the same load however many frames are waiting.
constexpr int LookMs = 50;
constexpr int LooksPerQueryOfTheQueue = 10;

volatile std::sig_atomic_t interrupted = 0;

void say(const QString& line)
{
    std::fprintf(stdout, "farm: %s\n", qPrintable(line));
    std::fflush(stdout);
}

// Ctrl+C and a polite kill leave the loop below instead of the program.
class InterruptCatcher
{
public:
    InterruptCatcher()
    {
        interrupted = 0;
        m_interrupt = std::signal(SIGINT, [](int) { interrupted = 1; });
        m_terminate = std::signal(SIGTERM, [](int) { interrupted = 1; });
    }
    ~InterruptCatcher()
    {
        std::signal(SIGINT, m_interrupt);
        std::signal(SIGTERM, m_terminate);
    }

private:
    void (*m_interrupt)(int);
    void (*m_terminate)(int);
};

QString logOf(const FarmJob& job, int frame)
{
    QFile log(job.frameFile(frame, "log"));
    const QString text = log.open(QIODevice::ReadOnly)
                             ? QString::fromLocal8Bit(log.readAll().right(2000)).trimmed()
                             : QStringLiteral("(no log)");
    return QStringLiteral("%1:\n%2").arg(log.fileName(), text);
}

} // namespace

// The video the panel writes of stand-in pictures is thrown away.
int exportFrames(MainWindow& window, const RecordingRequest& request, FarmJob& job)
{
    QString failure;
    sg::RenderUtility::runProcessesWith([&](const QStringList& words, int) {
        try {
            return job.queue(words);
        } catch (const FarmError& error) {
            failure = error.text();
            return sg::ProcessOutcome{1, failure.toLocal8Bit()};
        }
    });
    // Nobody looks at the views meanwhile; drawing them would cost more than the export.
    const outside::GraphicsUtilityPtr display = window.sceneGraph().CreateGraphicsUtility();
    display->SetNormalDisplay(false);
    const auto runHereAgain = qScopeGuard([&] {
        sg::RenderUtility::runProcessesWith({});
        display->SetNormalDisplay(true);
    });
    RecordingRequest exporting = request;
    exporting.file = job.folder() + QLatin1String("/stand-in.avi");
    exporting.quiet = true;
    const int status = recordHeadless(window, exporting);
    QFile::remove(exporting.file);
    if (!failure.isEmpty())
        throw FarmError(failure);
    return status;
}

namespace {

class FarmRun
{
public:
    FarmRun(FarmJob& job, FarmVideo& video, SlurmCluster& cluster, const FarmRequest& request)
        : m_job(job), m_video(video), m_cluster(cluster), m_request(request)
    {}

    // Renders every frame that is not done yet; 0 once all are.
    int render()
    {
        QList<int> missing;
        for (int frame = 0; frame < m_job.frameCount(); ++frame)
            if (m_job.state(frame) != FarmJob::FrameState::Done)
                missing.append(frame);
        m_progress.total = m_job.frameCount();
        m_progress.done = m_job.frameCount() - int(missing.size());
        if (m_progress.done > 0)
            say(QStringLiteral("%1 of %2 frames are already rendered; rendering the other %3")
                    .arg(m_progress.done)
                    .arg(m_progress.total)
                    .arg(missing.size()));
        m_clock.start();
        submit(missing);
        InterruptCatcher catcher;
        QString shown;
        for (int look = 0; !m_inFlight.isEmpty(); ++look) {
            QThread::msleep(LookMs);
            if (interrupted)
                return cancelled();
            poll(look % LooksPerQueryOfTheQueue == 0);
            if (m_fatal)
                return 1;
            m_video.addRendered();
            m_progress.elapsedSeconds = double(m_clock.elapsed()) / 1000.0;
            const QString line = m_progress.line();
            if (line.section(QLatin1String(", elapsed"), 0, 0) != shown) {
                shown = line.section(QLatin1String(", elapsed"), 0, 0);
                say(line);
            }
        }
        if (!m_cancelled.isEmpty()) {
            std::sort(m_cancelled.begin(), m_cancelled.end());
            say(QStringLiteral("frames %1 left the cluster's queue without a verdict (cancelled, "
                               "or the task script could not run: %2); run the same command "
                               "again to render them")
                    .arg(SlurmCluster::indexRanges(m_cancelled),
                         clusterOutputOf(m_cancelled.first())));
            return 1;
        }
        if (!m_givenUp.isEmpty()) {
            say(QStringLiteral("%1 frames failed %2 times each; the last log of frame %3 is %4")
                    .arg(m_givenUp.size())
                    .arg(m_request.attempts)
                    .arg(m_givenUp.first())
                    .arg(logOf(m_job, m_givenUp.first())));
            say(QStringLiteral("run the same command again to retry them"));
            return 1;
        }
        return 0;
    }

private:
    void submit(const QList<int>& frames)
    {
        if (frames.isEmpty())
            return;
        for (int frame : frames)
            QFile::remove(m_job.frameFile(frame, "failed"));
        const SlurmCluster::Submission submission{
            QStringLiteral("vellum-") + QFileInfo(m_job.folder()).completeBaseName(),
            m_job.framesFolder(), m_job.folder() + QLatin1String("/render.sh"),
            m_request.cpusPerTask, m_request.throttle};
        const QStringList arrays = m_cluster.submit(submission, frames);
        m_arrays += arrays;
        for (int frame : frames)
            m_inFlight.insert(frame);
        say(QStringLiteral("submitted %1 frames as job %2")
                .arg(frames.size())
                .arg(arrays.join(QLatin1String(", "))));
    }

    // Between two questions to the cluster only the frames it last said were running can have
    // finished; frames that start and end in between are found at the next question.
    void poll(bool askTheCluster)
    {
        // The queue first: a task leaves it only after its verdict is written.
        const std::optional<SlurmCluster::Queue> queue =
            askTheCluster ? queueOrNothing() : std::nullopt;
        if (queue) {
            m_running = queue->running;
            m_progress.waiting = queue->waiting;
            if (!queue->refusal.isEmpty())
                return refused(queue->refusal);
        }
        const QSet<int> looked = queue ? m_inFlight : m_inFlight & m_running;
        QList<int> again;
        for (const int frame : looked) {
            const FarmJob::FrameState state = m_job.state(frame);
            if (state != FarmJob::FrameState::Missing)
                m_running.remove(frame);
            if (state == FarmJob::FrameState::Done) {
                m_inFlight.remove(frame);
                ++m_progress.done;
                if (m_attempts.value(frame) > 0)
                    --m_progress.failed;
                if (const double seconds = m_job.renderSeconds(frame); seconds > 0.0) {
                    m_progress.renderSecondsSum += seconds;
                    ++m_progress.timedFrames;
                }
            } else if (state == FarmJob::FrameState::Failed) {
                m_inFlight.remove(frame);
                failed(frame, m_job.failureCode(frame), again);
                if (m_fatal)
                    return;
            } else if (queue && !queue->queued.contains(frame)) {
                // Slurm requeues the tasks of a lost node itself: one that left without a
                // verdict was cancelled.
                m_inFlight.remove(frame);
                m_cancelled.append(frame);
            }
        }
        m_progress.running = int(m_running.size());
        submit(again);
    }

    std::optional<SlurmCluster::Queue> queueOrNothing()
    {
        try {
            const SlurmCluster::Queue queue = m_cluster.queue(m_arrays);
            m_queueFailures = 0;
            return queue;
        } catch (const FarmError&) {
            // A busy controller may miss a question or two.
            if (++m_queueFailures < 20)
                return std::nullopt;
            m_cluster.cancel(m_arrays);
            throw;
        }
    }

    void failed(int frame, int exitCode, QList<int>& again)
    {
        const int attempts = ++m_attempts[frame];
        if (attempts == 1)
            ++m_progress.failed;
        if (!m_firstFailureShown) {
            m_firstFailureShown = true;
            say(QStringLiteral("frame %1 failed with exit code %2; its log is %3")
                    .arg(frame)
                    .arg(exitCode)
                    .arg(logOf(m_job, frame)));
        }
        // Without the raytracer on the node, no attempt can succeed.
        if (exitCode == 127) {
            m_cluster.cancel(m_arrays);
            say(QStringLiteral("the raytracer is missing on the cluster's nodes: install povray "
                               "there (or set VELLUM_POVRAY); the job is cancelled"));
            m_fatal = true;
            return;
        }
        if (attempts < m_request.attempts)
            again.append(frame);
        else
            m_givenUp.append(frame);
    }

    void refused(const QString& reason)
    {
        m_cluster.cancel(m_arrays);
        say(QStringLiteral("the cluster will not run the frames (%1); nodes that take no work: "
                           "%2; the job is cancelled")
                .arg(reason, m_cluster.unavailableNodes()));
        m_fatal = true;
    }

    QString clusterOutputOf(int frame) const
    {
        QDir folder(m_job.folder() + QLatin1String("/slurm"));
        const QStringList outputs = folder.entryList({QStringLiteral("*_%1.out").arg(frame % 1000)},
                                                     QDir::Files, QDir::Time);
        QFile output(folder.filePath(outputs.value(0)));
        if (outputs.isEmpty() || !output.open(QIODevice::ReadOnly) || output.size() == 0)
            return QStringLiteral("it left no output");
        return output.fileName() + QLatin1String(": ") +
               QString::fromLocal8Bit(output.readAll().right(500)).trimmed();
    }

    int cancelled()
    {
        m_cluster.cancel(m_arrays);
        int done = 0;
        for (int frame = 0; frame < m_job.frameCount(); ++frame)
            done += m_job.state(frame) == FarmJob::FrameState::Done ? 1 : 0;
        say(QStringLiteral("interrupted: cancelled job %1; %2 of %3 frames are rendered in %4. "
                           "Run the same command again to render the rest.")
                .arg(m_arrays.join(QLatin1String(", ")))
                .arg(done)
                .arg(m_job.frameCount())
                .arg(m_job.folder()));
        return 130;
    }

    FarmJob& m_job;
    FarmVideo& m_video;
    SlurmCluster& m_cluster;
    const FarmRequest& m_request;
    FarmProgress m_progress;
    QElapsedTimer m_clock;
    QStringList m_arrays;
    QSet<int> m_inFlight;
    QSet<int> m_running;
    QHash<int, int> m_attempts;
    QList<int> m_givenUp;
    QList<int> m_cancelled;
    int m_queueFailures = 0;
    bool m_firstFailureShown = false;
    bool m_fatal = false;
};

} // namespace

int recordOnFarm(MainWindow& window, const RecordingRequest& request, const FarmRequest& farm)
{
    try {
        SlurmCluster cluster(farm.partition);
        cluster.check();
        FarmJob job(FarmJob::folderFor(farm.sharedFolder, request.file));
        job.prepare();
        QElapsedTimer clock;
        clock.start();
        if (const int status = exportFrames(window, request, job); status != 0)
            return status;
        say(QStringLiteral("exported %1 frames to %2 in %3 s")
                .arg(job.frameCount())
                .arg(job.folder())
                .arg(double(clock.elapsed()) / 1000.0, 0, 'f', 2));
        FarmVideo video(job, request, window.sceneGraph());
        FarmRun run(job, video, cluster, farm);
        if (const int status = run.render(); status != 0)
            return status;
        clock.restart();
        video.finish();
        say(QStringLiteral("assembled in %1 s").arg(double(clock.elapsed()) / 1000.0, 0, 'f', 2));
        say(QStringLiteral("wrote %1 (%2 frames, %3x%4, %5 fps)")
                .arg(QFileInfo(request.file).absoluteFilePath())
                .arg(video.videoFrames())
                .arg(request.size.width())
                .arg(request.size.height())
                .arg(request.framesPerSecond));
        return 0;
    } catch (const FarmError& error) {
        std::fprintf(stderr, "farm: %s\n", qPrintable(error.text()));
        return 1;
    }
}

} // namespace vellum::studio
