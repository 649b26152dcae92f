#include "ScriptRunner.h"

#include "FakeScriptEngine.h"
#include "PanelHarness.h"

#include <gtest/gtest.h>

namespace vellum::testing {
namespace {

// An editor whose user accepts or cancels as told.
class FakeEditor : public outside::ScriptEditor
{
public:
    void Attach(const outside::SceneGraphPtr& graph) override { attached = graph.get(); }
    bool Edit(QString& script, std::int32_t line, std::int32_t column, const QString& title,
              const outside::ShapePtr&) override
    {
        opened = QStringLiteral("%1:%2 %3").arg(line).arg(column).arg(title);
        if (accept)
            script = editedText;
        return accept;
    }
    void ApplyScript(outside::ScriptedPtr& component, const QString& script, bool, std::int32_t,
                     std::int32_t) override
    {
        applied = script;
        if (replacement)
            component = replacement;
    }

    bool accept = false;
    QString editedText = QStringLiteral("function AnimateGroup(frame, group) {}");
    QString opened;
    QString applied;
    outside::SceneGraph* attached = nullptr; // the graph owns the editor, so no strong link back
    outside::ScriptedPtr replacement;
};

// Group "Wheel" at frame 12, with a script its engine runs as told.
class ScriptRunnerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        h.bind();
        h.currentFrame = 12.0f;
        group = h.addGroup(4);
        ON_CALL(*group, Name()).WillByDefault(Return(QStringLiteral("Wheel")));
        ON_CALL(*group, Script()).WillByDefault(Return(QStringLiteral("function x() {}")));
        ON_CALL(*group, ScriptEngine()).WillByDefault(Return(engine));
        ON_CALL(*h.sceneGraph, NewScriptEditor()).WillByDefault(Return(editor));
        h.events.clear();
        h.platform->clearCalls();
    }

    bool runGroupScript()
    {
        bool changed = false;
        outside::GroupPtr component = group;
        h.control->RunGroupScript(h.sceneGraph_base(), 1, component, changed, 7);
        replaced = component;
        return changed;
    }
    QStringList questions() const { return h.platform->callsNamed(QStringLiteral("MsgBox")); }

    PanelHarness h;
    Nice<MockGroup> group;
    std::shared_ptr<FakeScriptEngine> engine = std::make_shared<FakeScriptEngine>();
    std::shared_ptr<FakeEditor> editor = std::make_shared<FakeEditor>();
    outside::GroupPtr replaced;
};

TEST_F(ScriptRunnerTest, ASucceedingScriptRunsItsEntryAtTheCurrentFrameAndAnEmptyOneIsNotRun)
{
    EXPECT_CALL(*h.sceneGraph, NewScriptObject(outside::ScriptObjectClass::GroupScriptObject));
    h.animationRunning = true;
    EXPECT_FALSE(runGroupScript());
    EXPECT_EQ(engine->calls, QStringList(QStringLiteral("AnimateGroup(12)")));
    EXPECT_TRUE(h.animationRunning);
    EXPECT_TRUE(h.platform->calls().isEmpty());
    ::testing::Mock::VerifyAndClearExpectations(h.sceneGraph.get());

    ON_CALL(*group, Script()).WillByDefault(Return(QString()));
    EXPECT_CALL(*h.sceneGraph, NewScriptObject(_)).Times(0);
    EXPECT_CALL(*group, ScriptEngine()).Times(0);
    runGroupScript();
    EXPECT_EQ(engine->calls.size(), 1);
}

TEST_F(ScriptRunnerTest, FailuresAreSortedAskedAboutAndOpenTheEditorAtTheLine)
{
    const QString runTime =
        QStringLiteral("Run-time error \"Object doesn't support this property or method\" (%1) "
                       "occurred in the script for group \"Wheel\" at line %2. Edit the script?");
    struct Row
    {
        int number;
        int line;
        int column;
        QString question;
        const char* editorAt;
    } rows[] = {
        {450, 0, 0,
         QStringLiteral("The script for group \"Wheel\" has incorrect parameters for "
                        "\"AnimateGroup\". Edit the Script?"),
         "1:0 Wheel"},
        {438, 5, 9, runTime.arg(438).arg(5), "5:9 Wheel"}, // a missing member inside the script
        {11, 0, 0, runTime.arg(11).arg(1), "1:0 Wheel"},   // no line: line 1
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.question.toStdString());
        engine->failure = {row.number, row.line, row.column,
                           QStringLiteral("Object doesn't support this property or method")};
        h.animationRunning = false;
        h.platform->clearCalls();
        h.platform->answerMsgBox(outside::MsgBoxResult::Yes);
        runGroupScript();
        EXPECT_EQ(questions(), QStringList(QStringLiteral("MsgBox(%1|%2|%3|3D Vellum)")
                                               .arg(row.question)
                                               .arg(int(outside::MsgBoxButtons::YesNo))
                                               .arg(int(outside::MsgBoxIcon::Question))));
        EXPECT_EQ(editor->opened, QLatin1String(row.editorAt));
        EXPECT_TRUE(h.events.isEmpty()) << "an edit that was not accepted changes nothing";
    }
}

TEST_F(ScriptRunnerTest, AFailureStopsThePlaybackAskingNothingWhilePlayingAndAlsoOnNo)
{
    EXPECT_CALL(*h.sceneGraph, NewScriptEditor()).Times(0);
    engine->failure = {450, 0, 0, QStringLiteral("Wrong number of arguments")};
    h.animationRunning = true;
    runGroupScript();
    EXPECT_FALSE(h.animationRunning);
    EXPECT_TRUE(questions().isEmpty());

    engine->failure = {13, 2, 0, QStringLiteral("Type mismatch")};
    h.platform->answerMsgBox(outside::MsgBoxResult::No);
    runGroupScript();
    EXPECT_FALSE(h.animationRunning);
    EXPECT_TRUE(h.platform->allAnswersUsed());
}

// The edit's effect on a real group is checked with the reference scene graph; here the
// component the editor hands back replaces the caller's and is the one the scene hears about.
TEST_F(ScriptRunnerTest, AnAcceptedEditIsAppliedAndTheReplacementTakesOver)
{
    engine->failure = {438, 0, 0, QStringLiteral("missing")};
    h.platform->answerMsgBox(outside::MsgBoxResult::Yes);
    editor->accept = true;
    auto replacement = nice<MockGroup>();
    editor->replacement = replacement;
    EXPECT_CALL(*h.scene, GroupChanged(outside::GroupPtr(replacement)));
    EXPECT_TRUE(runGroupScript());
    EXPECT_EQ(editor->attached, h.sceneGraph.get());
    EXPECT_EQ(replaced, outside::GroupPtr(replacement));
}

TEST_F(ScriptRunnerTest, TheCameraIsNamedAsTheAnimationCameraAndKeepsTheCallersFlag)
{
    auto camera = nice<MockCamera>();
    ON_CALL(*camera, Script()).WillByDefault(Return(QStringLiteral("x")));
    ON_CALL(*camera, ScriptEngine()).WillByDefault(Return(engine));
    engine->failure = {438, 0, 0, QStringLiteral("missing")};
    h.platform->answerMsgBox(outside::MsgBoxResult::Yes);
    editor->accept = true;
    EXPECT_CALL(*h.scene, CameraScriptChanged(_));

    bool changed = false;
    std::int32_t device = 3;
    outside::CameraPtr component = camera;
    h.control->RunCameraScript(h.sceneGraph_base(), component, changed, device);

    EXPECT_FALSE(changed);
    EXPECT_EQ(editor->opened, QStringLiteral("1:0 Animation Camera"));
    EXPECT_TRUE(questions().join(u'\n').contains(QStringLiteral(
        "The script for the animation camera does not include the required \"AnimateCamera\". "
        "Edit the Script?")));
}

} // namespace
} // namespace vellum::testing
