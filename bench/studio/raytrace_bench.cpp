// The raytracer bridge: writing the scene file, and what a raytraced frame costs beyond the
// raytracer itself.
#include "DemoScene.h"
#include "ModuleState.h"
#include "RaytraceFrame.h"
#include "RaytraceIni.h"

#include <QDir>
#include <QElapsedTimer>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <outside/Platform.h>
#include <sg/PovExporter.h>
#include <sg/RenderUtility.h>
#include <sg/SceneGraph.h>

using namespace vellum;

static void BM_ExportScene_1000Groups(benchmark::State& state)
{
    sg::SceneGraph graph;
    const auto scene = graph.scene();
    for (int number = 1; number <= 1000; ++number) {
        auto group = scene->addGroup(number, QStringLiteral("G%1").arg(number));
        group->setPosition(QVector3D(float(number % 40), 0.5f, float(number / 40)));
        scene->addShape(sg::ShapeKind::Box + number % 4, QStringLiteral("S%1").arg(number), group);
    }
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("scene.pov"));
    sg::PovExporter exporter;
    bool usesTif = false;
    for (auto _ : state)
        exporter.ExportScene(path, scene, 0.1f, 4.0f / 3.0f, usesTif, {});
}
BENCHMARK(BM_ExportScene_1000Groups)->Unit(benchmark::kMillisecond);

// Each iteration times RaytraceFrame, then the raytracer alone on the same scene and INI file;
// the reported time is the difference.
static void BM_RaytraceFrameOverhead_320x240(benchmark::State& state)
{
    const QString raytracer = QStandardPaths::findExecutable(QStringLiteral("povray"));
    if (raytracer.isEmpty()) {
        state.SkipWithError("povray is not installed");
        return;
    }
    QTemporaryDir temp(QDir::tempPath() + QStringLiteral("/raytrace bench XXXXXX"));
    qputenv("TEMP", temp.path().toLocal8Bit());
    auto graph = std::make_shared<sg::SceneGraph>();
    studio::loadDemoScene(*graph);
    animation::bindModule(graph, nullptr);
    const auto scene = graph->scene();
    sg::RenderUtility render(graph.get());

    const QString sceneFile = temp.filePath(QStringLiteral("alone.pov"));
    const QString iniFile = temp.filePath(QStringLiteral("alone.ini"));
    bool usesTif = false;
    sg::PovExporter().ExportScene(sceneFile, scene, 0.1f, 320.0f / 240.0f, usesTif, {});
    outside::platform().WriteTextFile(
        iniFile, animation::raytraceIniLines({sceneFile, 320, 240, 0, QString(), {}}));
    const QString aloneCommand = animation::raytraceCommandLine(raytracer, iniFile);

    double frameSeconds = 0.0, aloneSeconds = 0.0;
    for (auto _ : state) {
        QImage picture;
        QString scenePath;
        QElapsedTimer clock;
        clock.start();
        animation::RaytraceFrame(scene, 320, 240, 0, picture, scenePath);
        const double frame = double(clock.nsecsElapsed()) * 1e-9;
        clock.restart();
        render.ShellAndWait(aloneCommand, true);
        const double alone = double(clock.nsecsElapsed()) * 1e-9;
        if (picture.isNull() || graph->applicationState()->RaytraceFailed()) {
            state.SkipWithError("the raytrace failed");
            break;
        }
        frameSeconds += frame;
        aloneSeconds += alone;
        state.SetIterationTime(std::max(frame - alone, 0.0));
    }
    state.counters["raytracer_ms"] = 1000.0 * aloneSeconds / double(state.iterations());
    state.counters["overhead_pct"] = 100.0 * (frameSeconds - aloneSeconds) / aloneSeconds;
    animation::resetModule();
    qunsetenv("TEMP");
}
BENCHMARK(BM_RaytraceFrameOverhead_320x240)
    ->UseManualTime()
    ->Iterations(8)
    ->Unit(benchmark::kMillisecond);
