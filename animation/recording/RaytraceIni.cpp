#include "RaytraceIni.h"

#include "Error.h"

namespace vellum::animation {

namespace {

// An empty folder has no trailing separator to drop.
QString lessLastCharacter(const QString& folder)
{
    if (folder.isEmpty())
        throw Error::invalidProcedureCall();
    return folder.left(folder.size() - 1);
}

QStringList writtenLibraryPaths(const RaytraceIniInput& input)
{
    return input.libraryPaths.mid(0, maxLibraryFolders);
}

// One word for the command-line splitter, kept literally whatever it holds.
QString singleQuoted(QString word)
{
    word.replace(QLatin1Char('\''), QLatin1String("'\"'\"'"));
    return QLatin1Char('\'') + word + QLatin1Char('\'');
}

} // namespace

const RaytracerDialect& hostDialect()
{
#ifdef Q_OS_WIN
    return windowsDialect;
#else
    return unixDialect;
#endif
}

QString raytraceTempName(const QString& tempFolder, std::int32_t tick, const QString& extension,
                         const RaytracerDialect& dialect)
{
    return tempFolder + dialect.separator + QLatin1String("~3DV") + QString::number(tick) +
           extension;
}

QString raytraceImageName(const QString& sceneFile)
{
    return sceneFile.left(sceneFile.size() - 3) + QLatin1String("bmp");
}

QStringList raytraceIniLines(const RaytraceIniInput& input, const RaytracerDialect& dialect)
{
    QStringList lines{
        QLatin1String("Input_File_Name=") + input.sceneFile,
        QLatin1String("Width=") + QString::number(input.width),
        QLatin1String("Height=") + QString::number(input.height),
        QLatin1String("Output_File_Type=") + dialect.outputFileType,
        QStringLiteral("Quality=11"),
    };
    if (input.antiAlias == 0) {
        lines.append(QStringLiteral("Antialias=off"));
    } else {
        lines.append(QStringLiteral("Antialias=on"));
        lines.append(input.antiAlias == 1 ? QStringLiteral("Antialias_Depth=2")
                                          : QStringLiteral("Antialias_Depth=4"));
    }
    lines.append(QStringLiteral("Display=off"));
    if (!input.scenePath.isEmpty())
        lines.append(QLatin1String("Library_Path=") + lessLastCharacter(input.scenePath));
    for (const QString& folder : writtenLibraryPaths(input))
        lines.append(QLatin1String("Library_Path=") + lessLastCharacter(folder));
    lines.append(QLatin1String("Output_File_Name=") + raytraceImageName(input.sceneFile));
    return lines;
}

QStringList raytraceLibraryLogLines(const RaytraceIniInput& input)
{
    QStringList lines{
        input.scenePath.isEmpty()
            ? QStringLiteral("POVRay Library_Path(0)= NULL (gcCSG.ApplicationState.ScenePath=\"\")")
            : QLatin1String("POVRay Library_Path(0)=") + lessLastCharacter(input.scenePath)};
    const QStringList folders = writtenLibraryPaths(input);
    for (int k = 1; k <= folders.size(); ++k)
        lines.append(QStringLiteral("POVRay Library_Path(%1)=%2")
                         .arg(k)
                         .arg(lessLastCharacter(folders.at(k - 1))));
    return lines;
}

QString raytraceCommandLine(const QString& raytracer, const QString& iniFile,
                            const RaytracerDialect& dialect)
{
    if (dialect.windowsCommandLine)
        return raytracer + QLatin1String(" /exit /nr ") + QLatin1Char(' ') + iniFile;
    return singleQuoted(raytracer) + QLatin1Char(' ') +
           singleQuoted(QLatin1Char('"') + iniFile + QLatin1Char('"'));
}

} // namespace vellum::animation
