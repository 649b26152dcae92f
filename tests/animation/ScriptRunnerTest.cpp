#include "ScriptRunner.h"

#include "PanelHarness.h"

#include <gtest/gtest.h>

namespace vellum::testing {
namespace {

using ::testing::_;
using ::testing::AnyNumber;
using ::testing::InSequence;
using ::testing::Return;

// An engine that fails the way it is told to, and remembers how it was called.
class FakeEngine : public outside::ScriptEngine
{
public:
    void Run(const QString& procedure, float& frame, outside::ScriptObjectPtr&) override
    {
        calls.append(QStringLiteral("%1(%2)").arg(procedure).arg(double(frame)));
        recorded = failure;
        if (failure.Number != 0)
            throw vellum::Error(failure.Number, failure.Description);
    }
    outside::ScriptError Error() override { return recorded; }

    outside::ScriptError failure;
    outside::ScriptError recorded;
    QStringList calls;
};

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
    void TearDown() override { h.unbind(); }

    bool runGroupScript()
    {
        bool changed = false;
        outside::GroupPtr component = group;
        h.control->RunGroupScript(h.sceneGraph_base(), 1, component, changed, 7);
        replaced = component;
        return changed;
    }

    PanelHarness h;
    std::shared_ptr<NiceMock<MockGroup>> group;
    std::shared_ptr<FakeEngine> engine = std::make_shared<FakeEngine>();
    std::shared_ptr<FakeEditor> editor = std::make_shared<FakeEditor>();
    outside::GroupPtr replaced;
};

TEST_F(ScriptRunnerTest, AnEmptyScriptIsNotRunAndNothingIsCreatedForIt)
{
    ON_CALL(*group, Script()).WillByDefault(Return(QString()));
    EXPECT_CALL(*h.sceneGraph, NewScriptObject(_)).Times(0);
    EXPECT_CALL(*group, ScriptEngine()).Times(0);
    runGroupScript();
    EXPECT_TRUE(engine->calls.isEmpty());
}

TEST_F(ScriptRunnerTest, ASucceedingScriptRunsItsEntryAtTheCurrentFrameAndKeepsPlaying)
{
    EXPECT_CALL(*h.sceneGraph, NewScriptObject(outside::ScriptObjectClass::GroupScriptObject));
    h.animationRunning = true;
    EXPECT_FALSE(runGroupScript());
    EXPECT_EQ(engine->calls, QStringList(QStringLiteral("AnimateGroup(12)")));
    EXPECT_TRUE(h.animationRunning);
    EXPECT_TRUE(h.platform->calls().isEmpty());
}

struct FailureRow
{
    const char* name;
    int number;
    int line;
    int column;
    const char* question;
    const char* editorAt;
};

class ScriptFailures : public ScriptRunnerTest, public ::testing::WithParamInterface<FailureRow>
{};

TEST_P(ScriptFailures, AreSortedAskedAboutAndOpenTheEditorAtTheLine)
{
    const FailureRow row = GetParam();
    engine->failure = {row.number, row.line, row.column,
                       QStringLiteral("Object doesn't support this property or method")};
    h.animationRunning = false;
    h.platform->answerMsgBox(outside::MsgBoxResult::Yes);
    editor->accept = false;

    runGroupScript();

    EXPECT_EQ(h.platform->callsNamed(QStringLiteral("MsgBox")),
              QStringList(QStringLiteral("MsgBox(%1|%2|%3|3D Vellum)")
                              .arg(QLatin1String(row.question))
                              .arg(int(outside::MsgBoxButtons::YesNo))
                              .arg(int(outside::MsgBoxIcon::Question))));
    EXPECT_EQ(editor->opened, QLatin1String(row.editorAt));
    EXPECT_TRUE(h.events.isEmpty()) << "an edit that was not accepted changes nothing";
}

INSTANTIATE_TEST_SUITE_P(
    Runner, ScriptFailures,
    ::testing::Values(
        FailureRow{"MissingEntry", 438, 0, 0,
                   "The script for group \"Wheel\" does not include the required "
                   "\"AnimateGroup\". Edit the Script?",
                   "1:0 Wheel"},
        FailureRow{"WrongParameters", 450, 0, 0,
                   "The script for group \"Wheel\" has incorrect parameters for "
                   "\"AnimateGroup\". Edit the Script?",
                   "1:0 Wheel"},
        FailureRow{"MissingMemberInsideTheScript", 438, 5, 9,
                   "Run-time error \"Object doesn't support this property or method\" (438) "
                   "occurred in the script for group \"Wheel\" at line 5. Edit the script?",
                   "5:9 Wheel"},
        FailureRow{"RunTimeErrorWithoutALine", 11, 0, 0,
                   "Run-time error \"Object doesn't support this property or method\" (11) "
                   "occurred in the script for group \"Wheel\" at line 1. Edit the script?",
                   "1:0 Wheel"}),
    [](const ::testing::TestParamInfo<FailureRow>& info) { return info.param.name; });

TEST_F(ScriptRunnerTest, WhilePlayingAFailureAsksNothingAndStopsThePlayback)
{
    engine->failure = {450, 0, 0, QStringLiteral("Wrong number of arguments")};
    h.animationRunning = true;
    EXPECT_CALL(*h.sceneGraph, NewScriptEditor()).Times(0);
    runGroupScript();
    EXPECT_FALSE(h.animationRunning);
    EXPECT_TRUE(h.platform->callsNamed(QStringLiteral("MsgBox")).isEmpty());
}

TEST_F(ScriptRunnerTest, AnsweringNoStillStopsThePlayback)
{
    engine->failure = {13, 2, 0, QStringLiteral("Type mismatch")};
    h.animationRunning = false;
    h.platform->answerMsgBox(outside::MsgBoxResult::No);
    EXPECT_CALL(*h.sceneGraph, NewScriptEditor()).Times(0);
    runGroupScript();
    EXPECT_FALSE(h.animationRunning);
    EXPECT_TRUE(h.platform->allAnswersUsed());
}

TEST_F(ScriptRunnerTest, AnAcceptedEditIsAppliedAndTheReplacementTakesOver)
{
    engine->failure = {438, 0, 0, QStringLiteral("missing")};
    h.platform->answerMsgBox(outside::MsgBoxResult::Yes);
    editor->accept = true;
    auto replacement = std::make_shared<NiceMock<MockGroup>>();
    editor->replacement = replacement;
    {
        InSequence order;
        EXPECT_CALL(*h.scene, GroupChanged(outside::GroupPtr(replacement)));
        EXPECT_CALL(*h.scene, Shapes()).Times(AnyNumber()); // the refresh that follows
    }

    EXPECT_TRUE(runGroupScript());
    EXPECT_EQ(editor->applied, editor->editedText);
    EXPECT_EQ(editor->attached, h.sceneGraph.get());
    EXPECT_EQ(replaced, outside::GroupPtr(replacement));
    EXPECT_TRUE(h.modified);
    EXPECT_EQ(h.events, QStringList(QStringLiteral("RenderAllViews")));
}

TEST_F(ScriptRunnerTest, TheCameraIsNamedAsTheAnimationCameraAndKeepsTheCallersFlag)
{
    auto camera = std::make_shared<NiceMock<MockCamera>>();
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
    EXPECT_TRUE(h.platform->calls().join(u'\n').contains(QStringLiteral(
        "The script for the animation camera does not include the required \"AnimateCamera\". "
        "Edit the Script?")));
}

} // namespace
} // namespace vellum::testing
