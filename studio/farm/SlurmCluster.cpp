#include "SlurmCluster.h"

#include "FarmError.h"

#include <QStandardPaths>
#include <algorithm>
#include <map>
#include <sg/CommandLineProcess.h>

namespace vellum::studio {

namespace {

constexpr int CommandTimeoutMs = 60 * 1000;
constexpr int ArraySpan = 1000;

struct Result
{
    int exitCode = 0;
    QString output;
};

Result slurm(const QString& tool, const QStringList& arguments)
{
    try {
        const sg::ProcessOutcome outcome =
            sg::runAndWait(QStringList{tool} + arguments, CommandTimeoutMs);
        return {outcome.exitCode, QString::fromLocal8Bit(outcome.output).trimmed()};
    } catch (const std::exception&) {
        throw FarmError(QStringLiteral("%1 could not be run.").arg(tool));
    }
}

} // namespace

SlurmCluster::SlurmCluster(QString partition) : m_partition(std::move(partition)) {}

void SlurmCluster::check() const
{
    for (const char* tool : {"sbatch", "squeue", "scancel", "sinfo"})
        if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
            throw FarmError(QStringLiteral("%1 is not on PATH: the farm needs Slurm's client "
                                           "commands (Debian package slurm-wlm).")
                                .arg(QLatin1String(tool)));
    const Result partitions =
        slurm(QStringLiteral("sinfo"),
              {QStringLiteral("-h"), QStringLiteral("-o"), QStringLiteral("%P")});
    if (partitions.exitCode != 0)
        throw FarmError(QStringLiteral("The Slurm controller cannot be reached (is SLURM_CONF "
                                       "right and slurmctld running?): %1")
                            .arg(partitions.output));
    QStringList names = partitions.output.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    names.removeDuplicates();
    const bool known =
        m_partition.isEmpty()
            ? std::any_of(names.cbegin(), names.cend(),
                          [](const QString& name) { return name.endsWith(QLatin1Char('*')); })
            : names.contains(m_partition) || names.contains(m_partition + QLatin1Char('*'));
    if (!known)
        throw FarmError(m_partition.isEmpty()
                            ? QStringLiteral("The cluster has no default partition; name one "
                                             "with --farm slurm:PARTITION (it has: %1).")
                                  .arg(names.join(QLatin1String(", ")))
                            : QStringLiteral("The cluster has no partition \"%1\" (it has: %2).")
                                  .arg(m_partition, names.join(QLatin1String(", "))));
}

QString SlurmCluster::indexRanges(QList<int> indices)
{
    std::sort(indices.begin(), indices.end());
    QStringList ranges;
    for (qsizetype first = 0; first < indices.size();) {
        qsizetype last = first;
        while (last + 1 < indices.size() && indices[last + 1] == indices[last] + 1)
            ++last;
        ranges.append(first == last
                          ? QString::number(indices[first])
                          : QStringLiteral("%1-%2").arg(indices[first]).arg(indices[last]));
        first = last + 1;
    }
    return ranges.join(QLatin1Char(','));
}

QStringList SlurmCluster::submit(const Submission& submission, const QList<int>& frames)
{
    std::map<int, QList<int>> byBase;
    for (int frame : frames)
        byBase[frame / ArraySpan * ArraySpan].append(frame % ArraySpan);
    QStringList arrays;
    for (const auto& [base, indices] : byBase) {
        QString array = indexRanges(indices);
        if (submission.throttle > 0)
            array += QLatin1Char('%') + QString::number(submission.throttle);
        QStringList arguments{QStringLiteral("--parsable"),
                              QStringLiteral("--job-name=") + submission.jobName,
                              QStringLiteral("--array=") + array,
                              QStringLiteral("--cpus-per-task=%1").arg(submission.cpusPerTask),
                              QStringLiteral("--chdir=") + submission.workFolder,
                              QStringLiteral("--output=../slurm/%A_%a.out")};
        if (!m_partition.isEmpty())
            arguments.append(QStringLiteral("--partition=") + m_partition);
        // The first frame goes as the script's argument: an --export list makes every task
        // start seconds later.
        arguments.append(submission.script);
        arguments.append(QString::number(base));
        const Result result = slurm(QStringLiteral("sbatch"), arguments);
        const QString id = result.output.section(QLatin1Char(';'), 0, 0).trimmed();
        bool numeric = false;
        id.toLongLong(&numeric);
        if (result.exitCode != 0 || !numeric) {
            cancel(arrays);
            throw FarmError(QStringLiteral("sbatch refused the job: %1").arg(result.output));
        }
        m_frameBase.insert(id, base);
        arrays.append(id);
    }
    return arrays;
}

SlurmCluster::Queue SlurmCluster::queue(const QStringList& arrays) const
{
    Queue queue;
    if (arrays.isEmpty())
        return queue;
    // All of ours, not by id: squeue refuses ids the controller has already forgotten. A
    // reason may hold spaces and commas, so the fields are parted by bars.
    const Result result = slurm(QStringLiteral("squeue"),
                                {QStringLiteral("-h"), QStringLiteral("-r"), QStringLiteral("--me"),
                                 QStringLiteral("-o"), QStringLiteral("%F|%K|%T|%r")});
    if (result.exitCode != 0)
        throw FarmError(QStringLiteral("squeue failed: %1").arg(result.output));
    for (const QString& line : result.output.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QStringList fields = line.split(QLatin1Char('|'));
        if (fields.size() != 4 || !arrays.contains(fields[0]))
            continue;
        const int frame = m_frameBase.value(fields[0]) + fields[1].toInt();
        queue.queued.insert(frame);
        if (fields[2] == QLatin1String("RUNNING") || fields[2] == QLatin1String("COMPLETING"))
            queue.running.insert(frame);
        else if (fields[2] == QLatin1String("PENDING"))
            notePending(queue, fields[3].trimmed());
    }
    return queue;
}

void SlurmCluster::notePending(Queue& queue, const QString& reason)
{
    if (waitsForever(reason))
        queue.refusal = reason;
    else if (queue.waiting.isEmpty() && reason != QLatin1String("None"))
        queue.waiting = reason;
}

bool SlurmCluster::waitsForever(const QString& reason)
{
    static const QLatin1String never[] = {QLatin1String("JobHeld"),
                                          QLatin1String("launch failed"),
                                          QLatin1String("JobLaunchFailure"),
                                          QLatin1String("PartitionDown"),
                                          QLatin1String("PartitionInactive"),
                                          QLatin1String("BadConstraints"),
                                          QLatin1String("InvalidAccount"),
                                          QLatin1String("InvalidQOS"),
                                          QLatin1String("DependencyNeverSatisfied")};
    return std::any_of(std::begin(never), std::end(never),
                       [&](QLatin1String start) { return reason.startsWith(start); });
}

QString SlurmCluster::unavailableNodes() const
{
    QStringList arguments{QStringLiteral("-h"), QStringLiteral("-R"), QStringLiteral("-o"),
                          QStringLiteral("%N %T: %E")};
    if (!m_partition.isEmpty())
        arguments.append(QStringLiteral("--partition=") + m_partition);
    const Result result = slurm(QStringLiteral("sinfo"), arguments);
    return result.exitCode == 0 && !result.output.isEmpty() ? result.output
                                                            : QStringLiteral("none down");
}

void SlurmCluster::cancel(const QStringList& arrays) const
{
    if (!arrays.isEmpty())
        slurm(QStringLiteral("scancel"), arrays);
}

} // namespace vellum::studio
