#pragma once

#include "AutotestExport.h"

#include <QString>
#include <QStringList>
#include <cstdint>

namespace vellum::animation {

// How the raytracer of a system is driven. The Windows build takes switches on its command line
// and writes system bitmaps; the Unix build rejects those switches, writes BMP as type B, and
// splits each of its arguments again at blanks, so a path it gets must carry its own quotes.
struct RaytracerDialect
{
    QChar separator;
    QChar outputFileType;
    bool windowsCommandLine;
};

inline constexpr RaytracerDialect windowsDialect{u'\\', u'S', true};
inline constexpr RaytracerDialect unixDialect{u'/', u'B', false};

// The dialect of the system this library was built for.
VELLUM_AUTOTEST_EXPORT const RaytracerDialect& hostDialect();

struct RaytraceIniInput
{
    QString sceneFile; // short path of the scene file
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t antiAlias = 0; // 0 none, 1 = 4x, 2 = 16x
    QString scenePath;          // folder of the saved scene, ending in a separator; may be empty
    QStringList libraryPaths;   // each ending in a separator
};

// At most this many library folders reach the raytracer, besides the scene's own.
inline constexpr int maxLibraryFolders = 19;

// "temp" & "~3DV" & tick & extension.
VELLUM_AUTOTEST_EXPORT QString raytraceTempName(const QString& tempFolder, std::int32_t tick,
                                                const QString& extension,
                                                const RaytracerDialect& dialect = hostDialect());
// Where the raytracer writes the picture of the scene file.
VELLUM_AUTOTEST_EXPORT QString raytraceImageName(const QString& sceneFile);
VELLUM_AUTOTEST_EXPORT QStringList
raytraceIniLines(const RaytraceIniInput& input, const RaytracerDialect& dialect = hostDialect());
// The application log's lines about the library folders written to the INI file.
VELLUM_AUTOTEST_EXPORT QStringList raytraceLibraryLogLines(const RaytraceIniInput& input);
VELLUM_AUTOTEST_EXPORT QString raytraceCommandLine(const QString& raytracer, const QString& iniFile,
                                                   const RaytracerDialect& dialect = hostDialect());

} // namespace vellum::animation
