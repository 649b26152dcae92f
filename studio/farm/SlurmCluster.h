#pragma once

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

namespace vellum::studio {

// The cluster as its command-line tools show it: sbatch, squeue, scancel and sinfo on PATH,
// with whatever SLURM_CONF the user's environment names.
class SlurmCluster
{
public:
    // partition: empty for the cluster's default one.
    explicit SlurmCluster(QString partition);

    // Refuses a machine without the client tools, an unreachable controller and an unknown
    // partition, each with what to do about it.
    void check() const;

    struct Submission
    {
        QString jobName;
        QString workFolder; // the tasks start here
        QString script;
        int cpusPerTask = 1;
        int throttle = 0; // at most this many tasks at once; 0: no limit
    };
    // One array per thousand frames (arrays are capped in size); the array ids.
    QStringList submit(const Submission& submission, const QList<int>& frames);
    // The frames of these arrays still queued or running, and which of them run. While some
    // wait, why the controller keeps them waiting; a reason that no waiting ends is a refusal.
    struct Queue
    {
        QSet<int> queued;
        QSet<int> running;
        QString waiting;
        QString refusal;
    };
    Queue queue(const QStringList& arrays) const;
    void cancel(const QStringList& arrays) const;

    // "0-3,7,9-10" for the array option.
    static QString indexRanges(QList<int> indices);
    // A held job, a partition that is down and the like: waiting alone never runs it.
    static bool waitsForever(const QString& reason);
    // What the controller says of the partition's nodes that cannot take work, for a message.
    QString unavailableNodes() const;

private:
    static void notePending(Queue& queue, const QString& reason);

    QString m_partition;
    QHash<QString, int> m_frameBase; // array id → the frame its task 0 renders
};

} // namespace vellum::studio
