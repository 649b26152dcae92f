// A raytraced snapshot of the demo by the real raytracer stands where the viewport draws it from
// the same camera: camera, transforms and aspect ratio of the exported scene are right.
#include "Animation.h"
#include "HeadlessRecording.h"
#include "MainWindow.h"
#include "PreferencesDialog.h"
#include "SceneRenderAdapter.h"
#include "ViewCameras.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <TrackBar.h>
#include <gtest/gtest.h>
#include <outside/Platform.h>
#include <sg/AppUtility.h>
#include <sg/SceneGraph.h>
#include <viewport/Renderer.h>

using namespace vellum;

namespace {

// Overlap over union of the two pictures' foregrounds: the pixels that differ from the colour
// at their corner.
double overlapOverUnion(const QImage& a, const QImage& b)
{
    const auto inked = [](const QImage& picture, int x, int y) {
        const QRgb p = picture.pixel(x, y), background = picture.pixel(0, 0);
        return std::max({std::abs(qRed(p) - qRed(background)),
                         std::abs(qGreen(p) - qGreen(background)),
                         std::abs(qBlue(p) - qBlue(background))}) > 12;
    };
    int both = 0, either = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            both += inked(a, x, y) && inked(b, x, y);
            either += inked(a, x, y) || inked(b, x, y);
        }
    return either ? double(both) / either : 0.0;
}

QImage viewportPicture(sg::Scene& scene, QSize size)
{
    studio::SceneRenderAdapter adapter;
    adapter.setMarkersShown(false);
    viewport::RenderScene drawn = adapter.build(scene);
    drawn.groundGrid = false;
    viewport::Renderer renderer;
    return renderer
        .render(drawn,
                studio::throughAnimationCamera(*scene.animationCamera(),
                                               studio::defaultPerspectiveCamera()),
                size, 0)
        .copy();
}

TEST(RealRaytracer, DemoSnapshotStandsWhereTheViewportDrawsIt)
{
    if (QStandardPaths::findExecutable(QStringLiteral("povray")).isEmpty())
        GTEST_SKIP() << "povray is not installed";
    QTemporaryDir temp(QDir::tempPath() + QStringLiteral("/real raytrace XXXXXX"));
    qputenv("TEMP", temp.path().toLocal8Bit());
    QTemporaryDir out;

    for (int frame : {0, 60}) {
        studio::MainWindow window;
        // The snapshot is of the selection's start, where the slider stands.
        auto* slider = window.panel()->findChild<common::TrackBar*>(QStringLiteral("sldFrame"));
        slider->setValue(frame);
        slider->setSelStart(frame);
        studio::RecordingRequest request;
        request.snapshot = true;
        request.raytrace = true;
        request.size = QSize(160, 120);
        request.file = out.filePath(QStringLiteral("frame %1.bmp").arg(frame));
        ASSERT_EQ(studio::recordHeadless(window, request), 0);
        const QImage raytraced(request.file);
        ASSERT_EQ(raytraced.size(), QSize(160, 120));

        sg::SceneGraph& graph = window.sceneGraph();
        for (const auto& group : graph.scene()->groupList())
            group->ApplyFrame(float(frame));
        for (const auto& operation : graph.scene()->operationList())
            operation->applyFrame(float(frame));
        graph.scene()->rootGroup()->RefreshTree(true);
        const QImage drawn = viewportPicture(*graph.scene(), QSize(160, 120));
        const double score = overlapOverUnion(raytraced, drawn);
        EXPECT_GE(score, 0.8) << "frame " << frame;
        if (score < 0.8)
            drawn.save(QDir::temp().filePath(QStringLiteral("viewport.png")));
    }
    EXPECT_TRUE(QDir(temp.path()).isEmpty());
    qunsetenv("TEMP");
}

TEST(Preferences, RaytracerPathIsStoredWhereTheBridgeReadsIt)
{
    const QString key = QStringLiteral("Vellum Preferences Test");
    studio::PreferencesDialog dialog(key);
    auto* path = dialog.findChild<QLineEdit*>(QStringLiteral("txtRaytracerPath"));
    auto* used = dialog.findChild<QLabel*>(QStringLiteral("lblRaytracerUsed"));
    ASSERT_TRUE(path && used);
    path->setText(QStringLiteral("/no/such/povray"));
    EXPECT_TRUE(used->text().startsWith(QStringLiteral("No raytracer found")));
    path->setText(QStringLiteral(" sh "));
    EXPECT_TRUE(used->text().endsWith(QStandardPaths::findExecutable(QStringLiteral("sh"))));
    dialog.accept();
    EXPECT_EQ(outside::platform().GetSetting(key, QStringLiteral("Application"),
                                             sg::AppUtility::raytracerPathKey(), QString()),
              QStringLiteral("sh"));
}

} // namespace
