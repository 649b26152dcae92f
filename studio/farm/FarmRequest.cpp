#include "FarmRequest.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>

namespace vellum::studio {

namespace {

QString translated(const char* text)
{
    return QCoreApplication::translate("FarmRequest", text);
}

} // namespace

void addFarmOptions(QCommandLineParser& parser)
{
    parser.addOption({QStringLiteral("farm"),
                      translated("With --record and --raytrace: render the frames as a job array "
                                 "on a Slurm cluster (its default partition, or the one named)."),
                      QStringLiteral("slurm[:partition]")});
    parser.addOption({QStringLiteral("farm-dir"),
                      translated("Folder every node of the cluster sees, for the job (default: "
                                 "the folder of the recording)."),
                      QStringLiteral("folder")});
    parser.addOption({QStringLiteral("farm-cpus"),
                      translated("Processors, and raytracer threads, per frame (default 1)."),
                      QStringLiteral("n")});
    parser.addOption({QStringLiteral("farm-throttle"),
                      translated("At most this many frames render at once (default: no limit)."),
                      QStringLiteral("n")});
}

std::optional<FarmRequest> readFarmOptions(const QCommandLineParser& parser,
                                           const std::optional<RecordingRequest>& recording,
                                           QString& error)
{
    if (!parser.isSet(QStringLiteral("farm"))) {
        for (const char* only : {"farm-dir", "farm-cpus", "farm-throttle"})
            if (parser.isSet(QLatin1String(only)))
                error = translated("--%1 belongs to --farm.").arg(QLatin1String(only));
        return std::nullopt;
    }
    const QString farm = parser.value(QStringLiteral("farm"));
    if (farm != QLatin1String("slurm") && !farm.startsWith(QLatin1String("slurm:"))) {
        error = translated("--farm knows slurm or slurm:PARTITION, not \"%1\".").arg(farm);
        return std::nullopt;
    }
    if (!recording || recording->snapshot || !recording->raytrace || recording->images) {
        error = translated("--farm renders a raytraced video: give it with --record FILE "
                           "--raytrace, without --images.");
        return std::nullopt;
    }
    FarmRequest request;
    request.partition = farm.section(QLatin1Char(':'), 1);
    request.sharedFolder = parser.isSet(QStringLiteral("farm-dir"))
                               ? parser.value(QStringLiteral("farm-dir"))
                               : QFileInfo(recording->file).absolutePath();
    for (const auto& [name, target, maximum] :
         {std::tuple{QStringLiteral("farm-cpus"), &request.cpusPerTask, 256},
          std::tuple{QStringLiteral("farm-throttle"), &request.throttle, 100000}}) {
        if (!parser.isSet(name))
            continue;
        bool ok = false;
        const int value = parser.value(name).toInt(&ok);
        if (!ok || value < 1 || value > maximum) {
            error = translated("--%1 needs a whole number from 1 to %2, not \"%3\".")
                        .arg(name)
                        .arg(maximum)
                        .arg(parser.value(name));
            return std::nullopt;
        }
        *target = value;
    }
    return request;
}

} // namespace vellum::studio
