#include "RaytraceFrame.h"

#include "AppUtility.h"
#include "ApplicationState.h"
#include "ErrorRule.h"
#include "GraphicsUtility.h"
#include "ModuleState.h"
#include "Platform.h"
#include "PovExporter.h"
#include "RaytraceIni.h"
#include "RenderUtility.h"
#include "SceneGraph.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QScopeGuard>
#ifdef Q_OS_UNIX
#include <dlfcn.h>
#endif

namespace vellum::animation {

using outside::platform;

namespace {

// The scene exporter's ambient light.
constexpr float exportAmbient = 0.1f;

const QString& messageTitle()
{
    static const QString title = QStringLiteral("3D Vellum");
    return title;
}

void tellUser(const QString& text, outside::MsgBoxIcon icon)
{
    platform().MsgBox(text, outside::MsgBoxButtons::OK, icon, messageTitle());
}

void reportRaytraceError(outside::ApplicationState& state)
{
    tellUser(QStringLiteral(
                 "Errors occurred while Raytracing. It may be that your raytracer is not "
                 "configured properly or 3D Vellum is having difficulty finding associated "
                 "textures. Textures should be in the same folder as your 3D Vellum scene or in "
                 "the 3D Vellum Media\\Textures folder."),
             outside::MsgBoxIcon::Stop);
    state.setRaytraceFailed(true);
}

void deleteQuietly(const QString& path)
{
    outside::ignoreFailure([&] { platform().DeleteFile(path); });
}

QStringList libraryPaths()
{
    QStringList folders;
    std::int32_t count = 0;
    sceneGraph().LibraryPaths(folders, count);
    return folders.mid(0, count);
}

// Writes the INI file and logs the library folders it names.
void writeIni(const QString& iniFile, const RaytraceIniInput& input)
{
    platform().WriteTextFile(iniFile, raytraceIniLines(input));
    for (const QString& line : raytraceLibraryLogLines(input))
        appUtility().WriteLine(line);
}

} // namespace

QString controlLibraryFolder()
{
#ifdef Q_OS_UNIX
    Dl_info info{};
    if (dladdr(reinterpret_cast<const void*>(&controlLibraryFolder), &info) && info.dli_fname)
        return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absolutePath();
#endif
    return QCoreApplication::applicationDirPath();
}

void RaytraceFrame(const outside::ScenePtr& scene, std::int32_t width, std::int32_t height,
                   std::int32_t antiAlias, QImage& picture, QString& scenePath)
{
    outside::passOn([&] {
        const auto state = applicationState();
        const QString temp = platform().TempFolder();
        const QString base = raytraceTempName(temp, graphicsUtility().TickCount(), QString());
        const QString raytracer = [] {
            const QString path = appUtility().RaytracerPath();
            return path.isEmpty() ? path : appUtility().ShortPath(path);
        }();

        const QString sceneFile = base + QLatin1String(".pov");
        QString iniFile;
        QString imageFile;
        // Whatever happens below, nothing stays in temp and the current folder is ours again.
        const auto cleanUp = qScopeGuard([&] {
            for (const QString& path : {iniFile, sceneFile, imageFile})
                if (!path.isEmpty())
                    deleteQuietly(path);
            outside::ignoreFailure([] { platform().ChangeDriveAndFolder(controlLibraryFolder()); });
        });

        bool usesTifTextures = false;
        const outside::PovRenderSettings settings{state->AnimationSettings(),
                                                  state->CurrentFrame()};
        povExporter().ExportScene(sceneFile, scene, exportAmbient, float(width) / float(height),
                                  usesTifTextures, settings);
        scenePath = appUtility().ShortPath(sceneFile);
        imageFile = raytraceImageName(scenePath);

        iniFile = raytraceTempName(temp, graphicsUtility().TickCount(), QStringLiteral(".ini"));
        writeIni(iniFile,
                 {scenePath, width, height, antiAlias, state->ScenePath(), libraryPaths()});
        const QString commandLine = raytraceCommandLine(raytracer, iniFile);

        if (usesTifTextures) {
            tellUser(QStringLiteral("POVRay does not support the use of TIF textures. This scene "
                                    "uses TIF textures."),
                     outside::MsgBoxIcon::Exclamation);
            state->setRaytraceFailed(true);
        } else {
            const bool ran =
                outside::ignoreFailure([&] { renderUtility().ShellAndWait(commandLine, true); });
            if (!ran && !state->RaytraceFailed())
                reportRaytraceError(*state);
        }
        deleteQuietly(iniFile);
        deleteQuietly(sceneFile);

        if (state->RaytraceFailed())
            return;
        QImage loaded;
        if (outside::ignoreFailure([&] { loaded = platform().LoadPicture(imageFile); })) {
            picture = loaded;
        } else {
            reportRaytraceError(*state);
            state->setAnimationRunning(false);
        }
    });
}

} // namespace vellum::animation
