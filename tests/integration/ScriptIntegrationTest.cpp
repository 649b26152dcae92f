// The panel's script runners over the reference scene graph, with real JavaScript: what the
// engine reports reaches the user's question and the editor, and an edit takes effect. The
// engine's own numbers and lines are checked with the engine, the runner's messages with a fake.

#include "Animation.h"
#include "ModuleState.h"
#include "QtPrinters.h"
#include "ScriptedPlatform.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <gtest/gtest.h>
#include <sg/ApplicationState.h>
#include <sg/Group.h>
#include <sg/Scene.h>
#include <sg/SceneGraph.h>

namespace vellum::testing {
namespace {

using outside::MsgBoxResult;

class ScriptIntegrationTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        outside::setPlatform(platform);
        graph = std::make_shared<sg::SceneGraph>();
        scene = graph->scene();
        group = scene->addGroup(3, QStringLiteral("Wheel"));
        graph->applicationState()->setCurrentFrame(20.0f);
        control.SetSceneGraph(graph, nullptr);
        platform->clearCalls();
        QObject::connect(&control, &animation::Animation::evtreqRenderAllViews,
                         [this] { ++redraws; });
    }

    void TearDown() override
    {
        control.SetSceneGraph(nullptr, nullptr);
        animation::resetModule();
        outside::setPlatform(nullptr);
    }

    void run()
    {
        outside::SceneGraphPtr sceneGraph = graph;
        outside::GroupPtr component = group;
        bool changed = false;
        control.RunGroupScript(sceneGraph, 1, component, changed, 0);
        scriptChanged = changed;
    }

    QString onlyQuestion() const
    {
        const QStringList asked = platform->callsNamed(QStringLiteral("MsgBox"));
        return asked.size() == 1 ? asked.first() : asked.join(u'\n');
    }

    // The user, in the editor: remembers where it opened and replaces the text.
    void editTo(const QString& text, int* openedAtLine)
    {
        platform->answerDialog([text, openedAtLine](QDialog& dialog) {
            auto* editor = dialog.findChild<QPlainTextEdit*>();
            if (!editor)
                return int(QDialog::Rejected);
            *openedAtLine = editor->textCursor().blockNumber() + 1;
            editor->setPlainText(text);
            return int(QDialog::Accepted);
        });
    }

    std::shared_ptr<ScriptedPlatform> platform = std::make_shared<ScriptedPlatform>();
    std::shared_ptr<sg::SceneGraph> graph;
    std::shared_ptr<sg::Scene> scene;
    std::shared_ptr<sg::Group> group;
    animation::Animation control;
    int redraws = 0;
    bool scriptChanged = false;
};

TEST_F(ScriptIntegrationTest, AMissingEntryIsOfferedForEditingAndTheEditTakesEffect)
{
    group->setScript(QStringLiteral("function Animate(frame, group) {}"));
    platform->answerMsgBox(MsgBoxResult::Yes);
    int openedAt = 0;
    editTo(QStringLiteral("function AnimateGroup(frame, group) { group.x = 7; }"), &openedAt);

    run();

    EXPECT_EQ(onlyQuestion(),
              QStringLiteral("MsgBox(The script for group \"Wheel\" does not include the required "
                             "\"AnimateGroup\". Edit the Script?|2|4|3D Vellum)"));
    EXPECT_EQ(openedAt, 1);
    EXPECT_TRUE(scriptChanged);
    EXPECT_EQ(redraws, 1);
    EXPECT_TRUE(graph->applicationState()->Modified());
    // The edited script is the group's now, and runs.
    run();
    EXPECT_FLOAT_EQ(group->pose().position.x(), 7.0f);
}

TEST_F(ScriptIntegrationTest, AScriptThatNeverReturnsIsStoppedAndReportedAtLineOne)
{
    group->setScript(QStringLiteral("function AnimateGroup(frame, group) { while (true) {} }"));
    platform->answerMsgBox(MsgBoxResult::No);
    QElapsedTimer clock;
    clock.start();
    run();
    EXPECT_LT(clock.elapsed(), 10000);
    EXPECT_TRUE(onlyQuestion().contains(QStringLiteral("at line 1. Edit the script?")))
        << onlyQuestion().toStdString();
}

} // namespace
} // namespace vellum::testing
