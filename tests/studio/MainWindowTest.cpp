#include "OperationEditor.h"
#include "Outliner.h"
#include "PropertyEditor.h"
#include "Screenshot.h"
#include "StudioHarness.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDoubleSpinBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <sg/ShapeKind.h>
#include <viewport/ViewportWidget.h>

using namespace vellum;
using namespace vellum::studio;

namespace {

using MainWindowTest = StudioHarness;

} // namespace

TEST_F(MainWindowTest, NewIsUntitledAndAddPutsEachComponentSelectedAtTheOrigin)
{
    window->newScene();
    EXPECT_TRUE(window->windowTitle().startsWith(QStringLiteral("Untitled")));
    const auto scene = window->sceneGraph().scene();
    ASSERT_TRUE(scene->groupList().isEmpty());

    const struct
    {
        const char* action;
        int kind;
    } rows[] = {{"actAddBox", sg::ShapeKind::Box},
                {"actAddSphere", sg::ShapeKind::Sphere},
                {"actAddCylinder", sg::ShapeKind::Cylinder},
                {"actAddPlane", sg::ShapeKind::Plane},
                {"actAddPointLight", sg::ShapeKind::LightMarker}};
    for (const auto& row : rows) {
        auto* action = window->findChild<QAction*>(QLatin1StringView(row.action));
        ASSERT_NE(action, nullptr) << row.action;
        action->trigger();
        const auto selected = window->sceneGraph().selectedItems(device());
        ASSERT_EQ(selected.size(), 1) << row.action;
        EXPECT_EQ(selected.first()->kind(), row.kind) << row.action;
        ASSERT_NE(window->outliner()->currentItem(), nullptr) << row.action;
        if (row.kind == sg::ShapeKind::LightMarker)
            continue;
        const auto added = selected.first()->parentGroup();
        EXPECT_EQ(window->propertyEditor()->group(), added) << row.action;
        EXPECT_EQ(added->worldPosition(), QVector3D()) << row.action;
        EXPECT_EQ(window->outliner()->currentItem()->text(0), added->name());
    }
    EXPECT_EQ(scene->groupList().size(), 4);
    EXPECT_EQ(scene->lightList().size(), 1);
    EXPECT_TRUE(window->isWindowModified());
}

TEST_F(MainWindowTest, LooksThroughTheAnimationCameraAsItMoves)
{
    window->lookThroughAction()->setChecked(true);
    goTo(70);
    const auto rig = group(demo::CameraGroup);
    const viewport::RenderCamera seen = window->perspectiveView()->camera();
    EXPECT_LT((seen.position - rig->worldPosition()).length(), 1e-4f);
    EXPECT_FLOAT_EQ(seen.fieldOfViewDegrees,
                    window->sceneGraph().scene()->animationCamera()->fieldOfView());
    EXPECT_FALSE(window->perspectiveView()->isNavigationEnabled());
    const auto* caption =
        window->perspectiveView()->findChild<QLabel*>(QStringLiteral("viewCaption"));
    EXPECT_EQ(caption->text(), QStringLiteral("Animation camera"));

    window->lookThroughAction()->setChecked(false);
    EXPECT_EQ(caption->text(), QStringLiteral("Perspective"));
    EXPECT_GT((window->perspectiveView()->camera().position - rig->worldPosition()).length(), 1.0f);
}

// The demo's lamp glows by its own script as the slider moves; a broken script asks to be
// edited and Yes opens the editor at the failing line.
TEST_F(MainWindowTest, MovingTheSliderRunsTheDemoScriptAndABrokenOneOpensInTheEditor)
{
    std::shared_ptr<sg::Shape> lamp;
    for (const auto& shape : window->sceneGraph().scene()->shapeList())
        if (shape->name() == QLatin1String("Lamp"))
            lamp = shape;
    ASSERT_TRUE(lamp);
    goTo(10);
    const QColor glow = lamp->colour();
    goTo(20);
    EXPECT_NE(lamp->colour(), glow);

    lamp->setScript(QStringLiteral("function AnimateShape(frame, shape) {\n"
                                   "    shape.glow(frame);\n}\n"));
    platform->answerMsgBox(outside::MsgBoxResult::Yes);
    int openedAt = 0;
    platform->answerDialog([&](QDialog& dialog) {
        const auto* editor = dialog.findChild<QPlainTextEdit*>();
        openedAt = editor ? editor->textCursor().blockNumber() + 1 : -1;
        return int(QDialog::Rejected);
    });
    goTo(30);
    const QStringList asked = platform->callsNamed(QStringLiteral("MsgBox"));
    ASSERT_EQ(asked.size(), 1);
    EXPECT_TRUE(asked[0].contains(QStringLiteral("Lamp"))) << qPrintable(asked[0]);
    EXPECT_EQ(openedAt, 2);
}

TEST_F(MainWindowTest, ScreenshotShowsBothViews)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("studio.png"));
    ASSERT_EQ(takeScreenshot(*window, path, 40), 0);
    const QImage picture(path);
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.size(), QSize(ScreenshotWidth, ScreenshotHeight));
    for (viewport::ViewportWidget* view : {window->perspectiveView(), window->topView()}) {
        const QRect area(view->mapTo(window, QPoint(0, 0)), view->size());
        ASSERT_TRUE(picture.rect().contains(area)) << qPrintable(view->objectName());
        EXPECT_GT(colourCount(picture, area), 20) << qPrintable(view->objectName());
    }
    EXPECT_TRUE(window->panel()->isVisible());
    EXPECT_EQ(takeScreenshot(*window, folder.filePath(QStringLiteral("missing/x.png")), {}), 1);

    // At the smallest size the panel's row stays usable and nothing lies over it.
    window->resize(1, 1);
    QApplication::processEvents();
    const auto* slider = window->panel()->findChild<QWidget*>(QStringLiteral("sldFrame"));
    EXPECT_GE(slider->width(), 200);
    EXPECT_LE(slider->mapTo(window, QPoint(slider->width() / 2, 0)).x(), window->width());
    const QRect panelArea(window->panel()->mapTo(window, QPoint(0, 0)), window->panel()->size());
    for (const char* dock : {"outlinerDock", "propertiesDock"}) {
        const auto* widget = window->findChild<QWidget*>(QLatin1StringView(dock));
        EXPECT_FALSE(widget->geometry().intersects(panelArea)) << dock;
    }
}

TEST_F(MainWindowTest, MalformedFileKeepsTheSceneAndSaysWhyAndASavedSceneOpensAgain)
{
    QTemporaryDir folder;
    QFile file(folder.filePath(QStringLiteral("broken.json")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("{ \"version\": 1, \"groups\": [ ");
    file.close();
    const auto scene = window->sceneGraph().scene();
    platform->answerMsgBox(outside::MsgBoxResult::OK);

    EXPECT_FALSE(window->openSceneFile(file.fileName()));

    const QStringList boxes = platform->callsNamed(QStringLiteral("MsgBox"));
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(boxes.first().contains(QStringLiteral("broken.json")));
    EXPECT_EQ(window->sceneGraph().scene(), scene);
    EXPECT_TRUE(window->currentFile().isEmpty());

    const QString path = folder.filePath(QStringLiteral("demo.json"));
    ASSERT_TRUE(window->saveSceneFile(path));
    const auto demoScene = window->sceneGraph().scene();
    ASSERT_TRUE(window->openSceneFile(path));
    EXPECT_NE(window->sceneGraph().scene(), demoScene);
    EXPECT_EQ(group(demo::HopperGroup)->keyTrack().count(),
              demoScene->group(demo::HopperGroup)->keyTrack().count());
    EXPECT_TRUE(window->windowTitle().startsWith(QStringLiteral("demo.json")));
    EXPECT_NE(window->outliner()->findComponent(Outliner::GroupItem, demo::HopperGroup), nullptr);

    // Names stay whole and first after opening, in a dock wide enough to read them.
    window->resize(ScreenshotWidth, ScreenshotHeight);
    window->show();
    QApplication::processEvents();
    const Outliner& outliner = *window->outliner();
    EXPECT_EQ(outliner.headerItem()->text(0), QStringLiteral("Component"));
    EXPECT_GE(outliner.width(), 200);
    for (QTreeWidgetItemIterator it(const_cast<Outliner*>(&outliner)); *it; ++it)
        EXPECT_GE(outliner.columnWidth(0),
                  outliner.visualItemRect(*it).left() +
                      outliner.fontMetrics().horizontalAdvance((*it)->text(0)))
            << qPrintable((*it)->text(0));
}

TEST_F(MainWindowTest, OutlinerSelectsAndTheEditorPosesGroupsAndSetsOperationAmounts)
{
    QTreeWidgetItem* item =
        window->outliner()->findComponent(Outliner::GroupItem, demo::TowerGroup);
    ASSERT_NE(item, nullptr);
    window->outliner()->setCurrentItem(item);

    const auto tower = group(demo::TowerGroup);
    const auto selected = window->sceneGraph().selectedItems(device());
    ASSERT_EQ(selected.size(), int(tower->shapes().size()));
    for (const auto& shape : selected)
        EXPECT_EQ(shape->parentGroup(), tower);
    EXPECT_EQ(window->propertyEditor()->group(), tower);
    EXPECT_DOUBLE_EQ(window->propertyEditor()->field(PropertyEditor::X)->value(), 4.0);

    int redraws = window->redrawCount();
    window->propertyEditor()->field(PropertyEditor::Y)->setValue(2.5);
    EXPECT_FLOAT_EQ(tower->position().y(), 2.5f);
    EXPECT_TRUE(window->sceneGraph().applicationState()->Modified());
    EXPECT_TRUE(window->isWindowModified());
    EXPECT_GT(window->redrawCount(), redraws);

    // A light has no pose here; its marker is what gets selected.
    const auto sun = window->sceneGraph().scene()->lightList().first();
    window->outliner()->setCurrentItem(
        window->outliner()->findComponent(Outliner::LightItem, sun->code()));
    ASSERT_EQ(window->sceneGraph().selectedItems(device()).size(), 1);
    EXPECT_EQ(window->sceneGraph().selectedItems(device()).first()->LightLink(), sun->code());
    EXPECT_EQ(window->propertyEditor()->group(), nullptr);

    // An operation component: the editor sets its active operation's amount.
    const auto scene = window->sceneGraph().scene();
    const auto swell = scene->operation(demo::SwellOperation);
    const auto blush = scene->operation(demo::BlushOperation);
    const auto pulse = swell->component();
    item = window->outliner()->findComponent(Outliner::OperationItem, pulse->code());
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->parent(),
              window->outliner()->findComponent(Outliner::GroupItem, demo::PulseGroup));
    window->outliner()->setCurrentItem(item);

    EXPECT_EQ(window->sceneGraph().selectedItems(device()),
              QList<std::shared_ptr<sg::Shape>>{pulse});
    OperationEditor* editor = window->propertyEditor()->operationEditor();
    ASSERT_TRUE(editor->isVisibleTo(window->propertyEditor()));
    EXPECT_EQ(editor->component(), pulse);
    EXPECT_EQ(window->propertyEditor()->group(), nullptr);
    ASSERT_EQ(editor->operationBox()->count(), 2);
    EXPECT_EQ(editor->operationBox()->currentIndex(), 0);
    EXPECT_EQ(editor->targetLabel()->text(), swell->target()->name());

    redraws = window->redrawCount();
    editor->amountBox()->setValue(1.25);
    EXPECT_FLOAT_EQ(swell->amount(), 1.25f);
    EXPECT_TRUE(window->sceneGraph().applicationState()->Modified());
    EXPECT_GT(window->redrawCount(), redraws);

    editor->operationBox()->setCurrentIndex(1);
    EXPECT_EQ(scene->activeOperation(*pulse), blush);
    blush->setAmount(0.5f);
    window->renderAllViews();
    EXPECT_DOUBLE_EQ(editor->amountBox()->value(), 0.5) << "the editor follows the amount";
    EXPECT_FLOAT_EQ(swell->amount(), 1.25f);

    // A group brings its pose back.
    window->outliner()->setCurrentItem(
        window->outliner()->findComponent(Outliner::GroupItem, demo::TowerGroup));
    EXPECT_EQ(window->propertyEditor()->group(), group(demo::TowerGroup));
    EXPECT_FALSE(editor->isVisibleTo(window->propertyEditor()));
    EXPECT_EQ(editor->component(), nullptr);
}

TEST_F(MainWindowTest, HintsShowInTheTipDialogUntilTheUserSwitchesThemOff)
{
    QString key = window->sceneGraph().applicationState()->RegistryKey();
    QString text = QStringLiteral("A hint");
    QString timeline = QStringLiteral("Timeline");
    QString record = QStringLiteral("Record");
    const auto tips = QStringLiteral("Tips");
    // Answers the next tip: keep or clear the switch, then OK or the close box.
    auto answerTip = [&](bool keep, bool closeBox) {
        platform->answerDialog([=](QDialog& dialog) {
            EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Tip"));
            EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("lblWarning"))->text(), text);
            auto* box = dialog.findChild<QCheckBox*>(QStringLiteral("chkContinueToReceiveWarning"));
            EXPECT_TRUE(box->isChecked());
            box->setChecked(keep);
            if (closeBox)
                dialog.close();
            else
                QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("cmdOK")),
                                  Qt::LeftButton);
            return dialog.result();
        });
    };

    answerTip(true, false);
    emit window->panel()->evtReqWarn(key, text, timeline);
    EXPECT_EQ(platform->setting(key, tips, timeline), QStringLiteral("1"));
    answerTip(false, true);
    emit window->panel()->evtReqWarn(key, text, record);
    EXPECT_EQ(platform->setting(key, tips, record), QStringLiteral("0"));
    emit window->panel()->evtReqWarn(key, text, record); // switched off: no dialog queued
    platform->failSaveSettingAt(1);
    answerTip(false, false);
    emit window->panel()->evtReqWarn(key, text, timeline);
    EXPECT_EQ(platform->setting(key, tips, timeline), QStringLiteral("1"))
        << "a failed write keeps the previous switch";
    EXPECT_EQ(platform->callsNamed(QStringLiteral("ShowModal")).size(), 3);
}

TEST_F(MainWindowTest, ClickingAShapeInAViewSelectsIt)
{
    viewport::ViewportWidget* view = window->topView();
    view->resize(400, 400);
    view->draw();
    const auto column = group(demo::TowerGroup)->shapes().front();
    std::optional<QPoint> onColumn;
    for (int y = 0; y < view->height() && !onColumn; y += 4)
        for (int x = 0; x < view->width() && !onColumn; x += 4)
            if (const int index = view->pickItem(QPoint(x, y));
                index >= 0 && view->scene().items[index].colour == column->colour())
                onColumn = QPoint(x, y);
    ASSERT_TRUE(onColumn.has_value()) << "the column is not in the top view";

    QTest::mouseClick(view, Qt::LeftButton, {}, *onColumn);

    const auto selected = window->sceneGraph().selectedItems(device());
    ASSERT_EQ(selected.size(), 1);
    EXPECT_EQ(selected.first(), column);
    ASSERT_NE(window->outliner()->currentItem(), nullptr);
    EXPECT_EQ(window->outliner()->currentItem()->data(0, Outliner::IdRole).toInt(), column->code());
    EXPECT_EQ(window->propertyEditor()->group(), group(demo::TowerGroup));

    // Empty ground clears the selection.
    QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_TRUE(window->sceneGraph().selectedItems(device()).isEmpty());
}
