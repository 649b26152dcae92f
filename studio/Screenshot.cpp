#include "Screenshot.h"

#include "CommandLine.h"
#include "HeadlessPlatform.h"
#include "MainWindow.h"
#include "Outliner.h"
#include "XPButton.h"

#include <Animation.h>
#include <Error.h>
#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <TrackBar.h>
#include <sg/SceneGraph.h>

namespace vellum::studio {

namespace {

void settle()
{
    for (int round = 0; round < 3; ++round)
        QApplication::processEvents();
}

int fail(const QString& message)
{
    reportFailure(message);
    return 1;
}

void selectOperationComponent(MainWindow& window, int groupNumber)
{
    const auto group = window.sceneGraph().scene()->group(groupNumber);
    if (!group)
        return;
    for (const auto& shape : group->shapes()) {
        if (shape->kind() == sg::ShapeKind::OperationMarker) {
            window.selectComponent(Outliner::OperationItem, shape->code());
            return;
        }
    }
}

} // namespace

bool moveToFrame(MainWindow& window, int frame, QString* error)
{
    auto* slider = window.panel()->findChild<common::TrackBar*>(QStringLiteral("sldFrame"));
    if (!slider) {
        if (error)
            *error = QStringLiteral("the panel has no frame slider");
        return false;
    }
    try {
        slider->setValue(frame);
    } catch (const Error& refusal) {
        if (error)
            *error = QStringLiteral("frame %1: %2").arg(frame).arg(refusal.description());
        return false;
    }
    return true;
}

void applyStartState(MainWindow& window, const StudioOptions& options)
{
    if (options.selectGroup) {
        window.outliner()->showCurrent(Outliner::GroupItem, *options.selectGroup);
        window.selectComponent(Outliner::GroupItem, *options.selectGroup);
    }
    if (options.selectOperationsOf)
        selectOperationComponent(window, *options.selectOperationsOf);
    auto* timeline =
        window.panel()->findChild<common::XPButton*>(QStringLiteral("chkAnimationTimeline"));
    if (options.showTimeline && timeline && !timeline->Value())
        timeline->click();
}

int takeScreenshot(MainWindow& window, const QString& path, std::optional<int> frame)
{
    window.resize(ScreenshotWidth, ScreenshotHeight);
    window.show();
    settle();
    if (frame) {
        QString error;
        if (!moveToFrame(window, *frame, &error))
            return fail(QStringLiteral("cannot move to %1").arg(error));
    }
    window.renderAllViews();
    settle();
    const QImage picture = window.grab().toImage();
    if (!picture.save(path, "PNG"))
        return fail(QStringLiteral("cannot save the screenshot to %1").arg(path));
    return 0;
}

} // namespace vellum::studio
