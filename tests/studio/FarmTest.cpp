// The farm: its job folder and progress on their own, then whole recordings on the local
// cluster (scripts/local-slurm.sh start; SLURM_CONF names it).
#include "MainWindow.h"
#include "RecordingChecks.h"
#include "farm/FarmJob.h"
#include "farm/FarmProgress.h"
#include "farm/FarmRecording.h"
#include "farm/SlurmCluster.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <atomic>
#include <condition_variable>
#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <iostream>
#include <mutex>
#include <optional>
#include <thread>
#include <unistd.h>

using namespace vellum;
using namespace vellum::studio;

namespace {

void writeText(const QString& path, const QByteArray& text)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

QStringList words(const char* line, const QString& file = {})
{
    const QString text = QString::fromLatin1(line);
    return (file.isNull() ? text : text.arg(file)).split(QLatin1Char(' '));
}

QByteArray readText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(Farm, ArrayRangesAndProgressLines)
{
    EXPECT_EQ(SlurmCluster::indexRanges({5, 0, 1, 2, 7, 8, 10}), QStringLiteral("0-2,5,7-8,10"));
    EXPECT_EQ(SlurmCluster::indexRanges({3}), QStringLiteral("3"));

    FarmProgress progress{20, 5, 1, 2, 65.0, 10.0, 5, {}};
    // 15 frames left at 2 s each, two at a time.
    EXPECT_EQ(progress.line(),
              QStringLiteral(" 25% 5/20 frames, 1 failed, 2 running, elapsed 1:05, ETA 0:15"));
    progress.timedFrames = 0;
    EXPECT_TRUE(progress.line().endsWith(QStringLiteral("ETA --:--")));
    progress.waiting = QStringLiteral("Resources");
    EXPECT_TRUE(progress.line().contains(QStringLiteral("2 running, elapsed")))
        << "a reason to wait is shown only while nothing runs";
    progress.running = 0;
    EXPECT_TRUE(
        progress.line().contains(QStringLiteral("0 running, waiting (Resources), elapsed")));
    for (const char* reason : {"JobHeldAdmin", "PartitionDown", "launch failed requeued held"})
        EXPECT_TRUE(SlurmCluster::waitsForever(QLatin1String(reason))) << reason;
    for (const char* reason : {"Resources", "Priority", "ReqNodeNotAvail, Reserved", "None"})
        EXPECT_FALSE(SlurmCluster::waitsForever(QLatin1String(reason))) << reason;
    EXPECT_EQ(clockText(3 * 3600 + 62), QStringLiteral("3:01:02"));
}

TEST(Farm, QueuedRaytracesBecomeFramesWithNamesInsideTheJob)
{
    QTemporaryDir temp;
    FarmJob job(FarmJob::folderFor(temp.path(), QStringLiteral("/elsewhere/walk.mp4")));
    EXPECT_EQ(job.folder(), temp.filePath(QStringLiteral("walk.farm")));
    job.prepare();
    const QString pov = temp.filePath(QStringLiteral("~3DV1.pov"));
    const QString ini = temp.filePath(QStringLiteral("~3DV2.ini"));
    const auto queueScene = [&](const QByteArray& scene) {
        writeText(pov, scene);
        writeText(ini, "Input_File_Name=" + pov.toLocal8Bit() +
                           "\r\nWidth=32\r\nHeight=24\r\nDisplay=off\r\nLibrary_Path=/lib\r\n"
                           "Output_File_Name=" +
                           temp.filePath(QStringLiteral("~3DV1.bmp")).toLocal8Bit());
        return job.queue({QStringLiteral("povray"), QLatin1Char('"') + ini + QLatin1Char('"')});
    };
    EXPECT_EQ(queueScene("sphere{}").exitCode, 0);
    EXPECT_EQ(QImage(temp.filePath(QStringLiteral("~3DV1.bmp"))).size(), QSize(32, 24))
        << "the panel gets a stand-in of the right size";
    EXPECT_EQ(readText(job.frameFile(0, "ini")),
              "Input_File_Name=00000.pov\r\nWidth=32\r\nHeight=24\r\nDisplay=off\r\n"
              "Library_Path=/lib\r\nOutput_File_Name=00000.bmp\r\n");
    EXPECT_EQ(readText(job.frameFile(0, "pov")), "sphere{}");
    EXPECT_EQ(job.state(0), FarmJob::FrameState::Missing);

    // A frame keeps its picture while its scene stays as it was.
    writeText(job.frameFile(0, "bmp"), "picture");
    writeText(job.frameFile(0, "done"), "100.5 102.0\n");
    job.prepare();
    queueScene("sphere{}");
    EXPECT_EQ(job.state(0), FarmJob::FrameState::Done);
    EXPECT_DOUBLE_EQ(job.renderSeconds(0), 1.5);
    job.prepare();
    queueScene("box{}");
    EXPECT_EQ(job.state(0), FarmJob::FrameState::Missing);
    EXPECT_FALSE(QFile::exists(job.frameFile(0, "bmp")));
    writeText(job.frameFile(1, "failed"), "3\n");
    EXPECT_EQ(std::pair(job.state(1), job.failureCode(1)),
              std::pair(FarmJob::FrameState::Failed, 3));
}

QString commandOutput(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    process.waitForFinished(10000);
    return QString::fromLocal8Bit(process.readAll());
}

// A cluster that never runs the frames would leave the test waiting: past its time, what the
// controller, the node and the job's files say goes to the log, and the recording is
// interrupted as Ctrl+C would.
class Watchdog
{
public:
    Watchdog(std::chrono::seconds patience, const QString& jobFolder)
        : m_thread([this, patience, jobFolder] {
              std::unique_lock lock(m_mutex);
              if (m_wake.wait_for(lock, patience, [this] { return m_done; }))
                  return;
              const QString look =
                  QStringLiteral("squeue -l -r; sinfo -R -l; tail -n 30 %1/slurmctld.log "
                                 "%1/slurmd.log; ls %2/frames; tail -n 30 %2/frames/00000.log")
                      .arg(QFileInfo(qEnvironmentVariable("SLURM_CONF")).path(), jobFolder);
              std::cerr
                  << "watchdog: the farm took too long\n"
                  << commandOutput(QStringLiteral("sh"), {QStringLiteral("-c"), look}).toStdString()
                  << std::endl;
              ::kill(::getpid(), SIGINT);
          })
    {}
    ~Watchdog()
    {
        {
            std::lock_guard lock(m_mutex);
            m_done = true;
        }
        m_wake.notify_one();
        m_thread.join();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_done = false;
    std::thread m_thread;
};

// Runs the action on each of our queued or running tasks ("job_index") until it says done.
std::thread onEachQueuedTask(std::atomic<bool>& done, std::function<bool(const QString&)> action)
{
    return std::thread([&done, action = std::move(action)] {
        for (int attempt = 0; attempt < 300 && !done; ++attempt) {
            const QString tasks = commandOutput(QStringLiteral("squeue"),
                                                words("-h -r --me -n vellum-walk -o %F_%K"));
            for (const QString& task : tasks.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
                done = done || action(task);
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
    });
}

// The rest needs a running cluster and the raytracer.
class FarmOnCluster : public testing::Test
{
protected:
    void SetUp() override
    {
        if (QStandardPaths::findExecutable(QStringLiteral("sbatch")).isEmpty())
            GTEST_SKIP() << "slurm-wlm is not installed";
        if (qEnvironmentVariableIsEmpty("SLURM_CONF"))
            GTEST_SKIP() << "no cluster: scripts/local-slurm.sh start, then export SLURM_CONF";
        ASSERT_FALSE(QStandardPaths::findExecutable(QStringLiteral("povray")).isEmpty());
        m_watchdog.emplace(std::chrono::seconds(150), m_temp.filePath(QStringLiteral("walk.farm")));
    }
    void TearDown() override { m_watchdog.reset(); }

    RecordingRequest request(int lastFrame)
    {
        RecordingRequest recording;
        recording.file = m_temp.filePath(QStringLiteral("walk.mp4"));
        recording.size = QSize(160, 120);
        recording.framesPerSecond = 10; // a frame per key of the demo
        recording.raytrace = true;
        recording.range = std::pair(0, lastFrame);
        return recording;
    }
    FarmRequest farm() const { return {QStringLiteral("vellum"), m_temp.path()}; }
    QString frame(int number) const
    {
        return FarmJob(m_temp.filePath(QStringLiteral("walk.farm"))).frameFile(number, "bmp");
    }

    QTemporaryDir m_temp;
    MainWindow m_window;
    std::optional<Watchdog> m_watchdog;
};

TEST_F(FarmOnCluster, SixFramesBecomeTheVideoWithTheSerialPathsPictures)
{
    const RecordingRequest recording = request(5);
    testing::internal::CaptureStdout();
    const int status = recordOnFarm(m_window, recording, farm());
    const std::string said = testing::internal::GetCapturedStdout();
    ASSERT_EQ(status, 0) << said;
    EXPECT_NE(said.find("100% 6/6 frames, 0 failed"), std::string::npos) << said;
    EXPECT_NE(said.find("wrote " + recording.file.toStdString()), std::string::npos) << said;
    EXPECT_EQ(probe(recording.file), QStringLiteral("h264,160,120,10/1,6"));

    // The panel's own raytraced recording of the same frames, as pictures.
    RecordingRequest serial = recording;
    serial.file = m_temp.filePath(QStringLiteral("serial/s.bmp"));
    serial.images = true;
    QDir().mkpath(m_temp.filePath(QStringLiteral("serial")));
    ASSERT_EQ(recordHeadless(m_window, serial), 0);
    for (int n = 0; n < 6; ++n)
        EXPECT_EQ(QImage(frame(n)).convertToFormat(QImage::Format_RGB32),
                  QImage(m_temp.filePath(QStringLiteral("serial/s%1.bmp").arg(n + 1)))
                      .convertToFormat(QImage::Format_RGB32))
            << "frame " << n;
}

TEST_F(FarmOnCluster, ACancelledTaskIsAllTheSameCommandRendersAgain)
{
    const RecordingRequest recording = request(5);
    FarmRequest oneAtATime = farm();
    oneAtATime.throttle = 1;
    // Frame 5 waits behind the others, so it is cancelled before it starts.
    writeText(recording.file, "the last film");
    std::atomic<bool> cancelled = false;
    std::thread canceller = onEachQueuedTask(cancelled, [](const QString& task) {
        if (!task.endsWith(QLatin1String("_5")))
            return false;
        QProcess::execute(QStringLiteral("scancel"), {task});
        return true;
    });
    testing::internal::CaptureStdout();
    const int first = recordOnFarm(m_window, recording, oneAtATime);
    const std::string firstSaid = testing::internal::GetCapturedStdout();
    canceller.join();
    ASSERT_TRUE(cancelled);
    EXPECT_EQ(first, 1) << firstSaid;
    EXPECT_FALSE(QFile::exists(frame(5))) << firstSaid;
    // The video grows beside the output while frames come in; cut short, it goes.
    EXPECT_EQ(readText(recording.file), "the last film");
    EXPECT_EQ(QDir(m_temp.path()).entryList({QStringLiteral("walk.*")}, QDir::Files),
              QStringList{QStringLiteral("walk.mp4")});
    const QDateTime kept = QFileInfo(frame(0)).lastModified();

    testing::internal::CaptureStdout();
    const int again = recordOnFarm(m_window, recording, oneAtATime);
    const std::string againSaid = testing::internal::GetCapturedStdout();
    ASSERT_EQ(again, 0) << againSaid;
    EXPECT_NE(againSaid.find("5 of 6 frames are already rendered"), std::string::npos) << againSaid;
    EXPECT_NE(againSaid.find("submitted 1 frames"), std::string::npos) << againSaid;
    EXPECT_EQ(QFileInfo(frame(0)).lastModified(), kept);
    EXPECT_EQ(probe(recording.file), QStringLiteral("h264,160,120,10/1,6"));
}

TEST_F(FarmOnCluster, AHeldJobIsCancelledWithTheControllersReason)
{
    FarmRequest oneAtATime = farm();
    oneAtATime.throttle = 1;
    std::atomic<bool> held = false;
    std::thread holder = onEachQueuedTask(held, [](const QString& task) {
        QProcess::execute(QStringLiteral("scontrol"),
                          {QStringLiteral("hold"), task.section(QLatin1Char('_'), 0, 0)});
        return true;
    });
    testing::internal::CaptureStdout();
    const int status = recordOnFarm(m_window, request(5), oneAtATime);
    const std::string said = testing::internal::GetCapturedStdout();
    holder.join();
    EXPECT_EQ(status, 1) << said;
    EXPECT_NE(said.find("the cluster will not run the frames (JobHeld"), std::string::npos) << said;
    QString left;
    for (int attempt = 0; attempt < 50; ++attempt, QThread::msleep(100))
        if ((left = commandOutput(QStringLiteral("squeue"), words("-h --me -n vellum-walk")))
                .isEmpty())
            break;
    EXPECT_EQ(left, QString()) << "the held job stays in the queue";
}

TEST_F(FarmOnCluster, EachObstacleIsNamed)
{
    QTemporaryDir confFolder;
    const QString badConf = confFolder.filePath(QStringLiteral("slurm.conf"));
    writeText(badConf, readText(qEnvironmentVariable("SLURM_CONF"))
                           .replace("SlurmctldPort=", "SlurmctldPort=1")
                           .replace("SlurmdPort=", "SlurmdPort=1"));
    struct Row
    {
        const char* variable;
        QString value;
        QString partition;
        QString sharedFolder;
        const char* said;
    };
    const Row rows[] = {
        {"PATH", QStringLiteral("/nowhere"), {}, m_temp.path(), "sbatch is not on PATH"},
        {"SLURM_CONF", badConf, {}, m_temp.path(), "controller cannot be reached"},
        {nullptr, {}, QStringLiteral("nosuch"), m_temp.path(), "no partition \"nosuch\""},
        {nullptr, {}, QStringLiteral("vellum"), QStringLiteral("/proc/1"), "not writable"},
        {"VELLUM_POVRAY", QStringLiteral("/no/povray"), QStringLiteral("vellum"), m_temp.path(),
         "/no/povray: not found on"},
    };
    for (const Row& row : rows) {
        const QByteArray saved = row.variable ? qgetenv(row.variable) : QByteArray();
        if (row.variable)
            qputenv(row.variable, row.value.toLocal8Bit());
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        const int status = recordOnFarm(m_window, request(0), {row.partition, row.sharedFolder});
        const std::string said =
            testing::internal::GetCapturedStdout() + testing::internal::GetCapturedStderr();
        if (row.variable)
            qputenv(row.variable, saved);
        EXPECT_NE(status, 0) << row.said;
        EXPECT_NE(said.find(row.said), std::string::npos) << said;
    }
}

} // namespace
