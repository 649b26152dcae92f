// Undo and redo of animation edits in the studio, compared through the saved scene files.

#include "UndoHistory.h"

#include "Outliner.h"
#include "StudioHarness.h"

#include <QAction>
#include <QDialog>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <UpDownText.h>

using namespace vellum;
using namespace vellum::studio;

namespace {

class UndoHistoryTest : public StudioHarness
{
protected:
    void SetUp() override
    {
        StudioHarness::SetUp();
        window->show();
        window->selectComponent(Outliner::GroupItem, demo::HopperGroup);
    }

    QByteArray saved(const QString& name)
    {
        const QString path = folder.filePath(name);
        window->sceneGraph().saveScene(path);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }
    void changeLength(const QString& keys)
    {
        platform->answerDialog([keys](QDialog& dialog) {
            dialog.findChild<common::UpDownText*>(QStringLiteral("txtKeyFrames"))->setText(keys);
            QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("cmdOK")),
                              Qt::LeftButton);
            return dialog.result();
        });
        click("cmdAnimationProperties");
    }
    QUndoStack& stack() { return window->undoHistory()->stack(); }
    std::shared_ptr<sg::Group> hopper() { return group(demo::HopperGroup); }

    QTemporaryDir folder;
};

} // namespace

TEST_F(UndoHistoryTest, FourEditsUndoToTheSceneAsItWasAndRedoToTheEditedOne)
{
    goTo(80);
    const QByteArray original = saved(QStringLiteral("original.json"));
    EXPECT_FALSE(window->isWindowModified());

    click("optKeyFrameType_1");
    click("cmdCopyKeyFrameForward");
    click("chkRepeat");
    changeLength(QStringLiteral("150"));
    ASSERT_EQ(hopper()->LoopMode(), outside::LoopClosed);
    const QByteArray edited = saved(QStringLiteral("edited.json"));
    EXPECT_TRUE(window->isWindowModified());
    const QStringList names{stack().text(0), stack().text(1), stack().text(2), stack().text(3)};
    EXPECT_EQ(names,
              QStringList({QStringLiteral("Add Key (Hopper)"), QStringLiteral("Add Key (Hopper)"),
                           QStringLiteral("Close Loop (Hopper)"),
                           QStringLiteral("Change Animation Length")}));
    EXPECT_EQ(window->undoHistory()->undoAction()->text(),
              QStringLiteral("&Undo Change Animation Length"));

    QAction* undo = window->undoHistory()->undoAction();
    for (int step = 0; step < 4; ++step)
        undo->trigger();
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_EQ(saved(QStringLiteral("undone.json")), original);
    EXPECT_EQ(panelWidget<common::TrackBar>("sldFrame").Max(), 100);
    EXPECT_TRUE(window->isWindowModified());

    for (int step = 0; step < 4; ++step)
        window->undoHistory()->redoAction()->trigger();
    EXPECT_EQ(saved(QStringLiteral("redone.json")), edited);
    EXPECT_EQ(panelWidget<common::TrackBar>("sldFrame").Max(), 150);

    // Another scene: nothing of the old one is left to undo.
    ASSERT_TRUE(window->openSceneFile(folder.filePath(QStringLiteral("original.json"))));
    EXPECT_EQ(stack().count(), 0);
    EXPECT_FALSE(undo->isEnabled());
}

TEST_F(UndoHistoryTest, BracketsNestAndOneLeftOpenByAFailureBecomesAStepOfItsOwn)
{
    animation::Animation& panel = *window->panel();
    emit panel.evtReqPrepareForSceneChanges();
    emit panel.evtReqPrepareForSceneChanges();
    hopper()->SetKeyFrame(false, 10.0f);
    emit panel.evtReqApplySceneChanges();
    EXPECT_EQ(stack().count(), 0) << "the outer bracket is still open";
    emit panel.evtReqApplySceneChanges();
    EXPECT_EQ(stack().count(), 1);

    emit panel.evtReqPrepareForSceneChanges(); // its apply never comes
    hopper()->RemoveKeyFrame(25.0f);
    QCoreApplication::processEvents();
    emit panel.evtReqPrepareForSceneChanges();
    hopper()->RemoveKeyFrame(75.0f);
    emit panel.evtReqApplySceneChanges();
    ASSERT_EQ(stack().count(), 3);
    EXPECT_EQ(stack().text(1), QStringLiteral("Delete Key (Hopper)"));

    stack().undo();
    stack().undo();
    EXPECT_NE(hopper()->keyTrack().find(25.0f), nullptr);
    EXPECT_NE(hopper()->keyTrack().find(75.0f), nullptr);
    EXPECT_NE(hopper()->keyTrack().find(10.0f), nullptr);
}
