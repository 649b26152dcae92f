#pragma once

#include <QString>
#include <QStringList>
#include <sg/CommandLineProcess.h>

namespace vellum::studio {

// The folder one farm recording lives in, on a file system every node sees. Everything inside
// is named relative to it, so the nodes may mount it anywhere:
//   render.sh                 what one array task runs
//   frames/NNNNN.pov, .ini    each raytrace the panel asked for, in its order
//   frames/NNNNN.bmp, .log    what the raytracer made of it
//   frames/NNNNN.done/.failed the task's verdict (start and end time, or the exit code)
//   slurm/                    the cluster's own output of each task
class FarmJob
{
public:
    enum class FrameState
    {
        Missing,
        Done,
        Failed
    };

    // The job folder of an output file inside the shared folder.
    static QString folderFor(const QString& sharedFolder, const QString& outputFile);

    explicit FarmJob(QString folder);

    // Creates the folders and the task script; refuses a folder it cannot write to.
    void prepare();
    // Takes the raytrace the panel asked for as the next frame of the job instead of running it.
    // The picture it expects is a blank stand-in; the real one comes from the farm.
    sg::ProcessOutcome queue(const QStringList& commandWords);

    int frameCount() const { return m_frameCount; }
    QString folder() const { return m_folder; }
    QString framesFolder() const;
    QString frameFile(int frame, const char* extension) const;
    FrameState state(int frame) const;
    // The exit code the failed task reported (0 when it left none).
    int failureCode(int frame) const;
    // Seconds the raytracer took for a done frame; 0 when unknown.
    double renderSeconds(int frame) const;

private:
    QString m_folder;
    int m_frameCount = 0;
};

} // namespace vellum::studio
