#include "FarmJob.h"

#include "FarmError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>

namespace vellum::studio {

namespace {

// Each task renders the frame its array index names; the markers are written last, so a frame
// is done only once its picture is whole.
// clang-format off
const char* const TaskScript = R"sh(#!/bin/bash
# One task of a farm recording: renders one frame of the job in the current folder, the frame
# the array's first frame (the argument) plus the task's index. Frames may take less than a
# second, so the task starts no process but the raytracer (bash: printf and the clock built in).
LC_ALL=C
printf -v frame %05d $(( ${1:-0} + SLURM_ARRAY_TASK_ID ))
if [ -e "$frame.done" ] || [ -e "$frame.failed" ] || [ -e "$frame.bmp" ]; then
    rm -f "$frame.done" "$frame.failed" "$frame.bmp"
fi
povray=${VELLUM_POVRAY:-povray}
if ! command -v "$povray" >/dev/null 2>&1; then
    echo "$povray: not found on $(hostname)" >"$frame.log"
    echo 127 >"$frame.failed"
    exit 127
fi
start=${EPOCHREALTIME:-$(date +%s.%N)}
"$povray" "$frame.ini" "+WT${SLURM_CPUS_PER_TASK:-1}" >"$frame.log" 2>&1
code=$?
if [ $code -eq 0 ] && [ -s "$frame.bmp" ]; then
    echo "$start ${EPOCHREALTIME:-$(date +%s.%N)}" >"$frame.done"
else
    echo "$code" >"$frame.failed"
fi
exit $code
)sh";
// clang-format on

// Not synced to disk: a frame cut short differs from the next export and is rendered again.
void writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(content) != content.size() || !file.flush())
        throw FarmError(QStringLiteral("Cannot write %1: %2").arg(path, file.errorString()));
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QString valueOf(const QStringList& lines, QLatin1String key)
{
    for (const QString& line : lines)
        if (line.startsWith(key))
            return line.mid(key.size());
    return {};
}

} // namespace

QString FarmJob::folderFor(const QString& sharedFolder, const QString& outputFile)
{
    return QDir(sharedFolder)
        .absoluteFilePath(QFileInfo(outputFile).completeBaseName() + QLatin1String(".farm"));
}

FarmJob::FarmJob(QString folder) : m_folder(std::move(folder)) {}

QString FarmJob::framesFolder() const
{
    return m_folder + QLatin1String("/frames");
}

QString FarmJob::frameFile(int frame, const char* extension) const
{
    return framesFolder() + QStringLiteral("/%1.").arg(frame, 5, 10, QLatin1Char('0')) +
           QLatin1String(extension);
}

void FarmJob::prepare()
{
    const QString shared = QFileInfo(m_folder).absolutePath();
    if (!QFileInfo(shared).isDir())
        throw FarmError(QStringLiteral("The farm folder %1 does not exist.").arg(shared));
    if (!QDir().mkpath(framesFolder()) || !QDir().mkpath(m_folder + QLatin1String("/slurm")))
        throw FarmError(
            QStringLiteral("Cannot create the job folder %1: the farm folder is not writable.")
                .arg(m_folder));
    const QString script = m_folder + QLatin1String("/render.sh");
    writeFile(script, TaskScript);
    QFile::setPermissions(script, QFile::permissions(script) | QFile::ExeOwner | QFile::ExeGroup |
                                      QFile::ExeOther);
    m_frameCount = 0;
}

sg::ProcessOutcome FarmJob::queue(const QStringList& commandWords)
{
    // The raytracer gets the INI file as its last word, in its own quotes.
    QString iniFile = commandWords.value(commandWords.size() - 1);
    if (iniFile.size() >= 2 && iniFile.startsWith(QLatin1Char('"')) &&
        iniFile.endsWith(QLatin1Char('"')))
        iniFile = iniFile.mid(1, iniFile.size() - 2);
    QStringList lines =
        QString::fromLocal8Bit(readFile(iniFile)).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    const QString sceneFile = valueOf(lines, QLatin1String("Input_File_Name="));
    const QString pictureFile = valueOf(lines, QLatin1String("Output_File_Name="));
    const QByteArray scene = readFile(sceneFile);
    if (scene.isEmpty() || pictureFile.isEmpty())
        throw FarmError(QStringLiteral("The exporter left no scene for frame %1 (%2).")
                            .arg(m_frameCount)
                            .arg(iniFile));

    const int frame = m_frameCount++;
    const QString name = QFileInfo(frameFile(frame, "")).fileName();
    for (QString& line : lines) {
        if (line.startsWith(QLatin1String("Input_File_Name=")))
            line = QLatin1String("Input_File_Name=") + name + QLatin1String("pov");
        else if (line.startsWith(QLatin1String("Output_File_Name=")))
            line = QLatin1String("Output_File_Name=") + name + QLatin1String("bmp");
    }
    // A frame whose scene changed since it was rendered is rendered again.
    if (readFile(frameFile(frame, "pov")) != scene)
        for (const char* stale : {"bmp", "done", "failed"})
            QFile::remove(frameFile(frame, stale));
    writeFile(frameFile(frame, "pov"), scene);
    writeFile(frameFile(frame, "ini"),
              (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLocal8Bit());

    QImage standIn(valueOf(lines, QLatin1String("Width=")).toInt(),
                   valueOf(lines, QLatin1String("Height=")).toInt(), QImage::Format_RGB32);
    standIn.fill(Qt::black);
    if (!standIn.save(pictureFile, "BMP"))
        throw FarmError(QStringLiteral("Cannot write %1.").arg(pictureFile));
    return {};
}

FarmJob::FrameState FarmJob::state(int frame) const
{
    if (QFileInfo::exists(frameFile(frame, "done")))
        return FrameState::Done;
    if (QFileInfo::exists(frameFile(frame, "failed")))
        return FrameState::Failed;
    return FrameState::Missing;
}

int FarmJob::failureCode(int frame) const
{
    return readFile(frameFile(frame, "failed")).trimmed().toInt();
}

double FarmJob::renderSeconds(int frame) const
{
    const QList<QByteArray> times = readFile(frameFile(frame, "done")).trimmed().split(' ');
    return times.size() == 2 ? std::max(0.0, times[1].toDouble() - times[0].toDouble()) : 0.0;
}

} // namespace vellum::studio
