#include "ScriptEditor.h"

#include "Error.h"
#include "JsScriptEngine.h"
#include "LineNumberGutter.h"
#include "ScriptEditorDialog.h"
#include "ScriptHolder.h"
#include "ScriptTextEdit.h"
#include "ScriptedPlatform.h"
#include "TestFacade.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace vellum::sg {
namespace {

const QString fiveLines = QStringLiteral("function AnimateGroup(f, o) {\n"
                                         "    var a = 1;\n"
                                         "    o.position = a;\n"
                                         "}\n"
                                         "// end");

TEST(ScriptEditorDialog, OpensAtTheLineAndColumnWithTitle)
{
    ScriptEditorDialog dialog(fiveLines, 3, 5, QStringLiteral("Wheel"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Wheel"));
    QTextCursor cursor = dialog.textEdit()->textCursor();
    EXPECT_EQ(cursor.blockNumber(), 2);
    EXPECT_EQ(cursor.positionInBlock(), 4);
    EXPECT_FALSE(dialog.changed());

    ScriptEditorDialog pastTheEnd(fiveLines, 99, 99, QString());
    cursor = pastTheEnd.textEdit()->textCursor();
    EXPECT_EQ(cursor.blockNumber(), 4);
    EXPECT_EQ(cursor.positionInBlock(), 6);

    ScriptEditorDialog unknownColumn(fiveLines, 2, 0, QString());
    EXPECT_EQ(unknownColumn.textEdit()->textCursor().blockNumber(), 1);
    EXPECT_EQ(unknownColumn.textEdit()->textCursor().positionInBlock(), 0);
}

TEST(ScriptEditorDialog, ChangedFollowsTheText)
{
    ScriptEditorDialog dialog(fiveLines, 1, 0, QString());
    dialog.show();
    QTest::keyClicks(dialog.textEdit(), QStringLiteral("x"));
    EXPECT_TRUE(dialog.changed());
    EXPECT_EQ(dialog.script(), QLatin1Char('x') + fiveLines);
    QTest::keyClick(dialog.textEdit(), Qt::Key_Backspace);
    EXPECT_FALSE(dialog.changed());
}

TEST(ScriptEditorDialog, GutterWidensWithTheLineCount)
{
    ScriptEditorDialog dialog(QStringLiteral("a"), 1, 0, QString());
    dialog.show();
    auto* gutter = dialog.textEdit()->findChild<LineNumberGutter*>(QStringLiteral("lineNumbers"));
    ASSERT_NE(gutter, nullptr);
    const int narrow = gutter->width();
    EXPECT_GT(narrow, 0);

    dialog.textEdit()->setPlainText(QStringLiteral("a\n").repeated(150));
    EXPECT_GT(gutter->width(), narrow);
    EXPECT_EQ(dialog.textEdit()->viewport()->x(), gutter->x() + gutter->width());
}

class ScriptEditorTest : public ::testing::Test
{
protected:
    void SetUp() override { outside::setPlatform(m_platform); }
    void TearDown() override
    {
        EXPECT_TRUE(m_platform->allAnswersUsed());
        outside::setPlatform(nullptr);
    }

    // Answers the next editor: types a line at the start when given, then presses a button.
    void answerWith(const QString& typed, QDialogButtonBox::StandardButton button)
    {
        m_platform->answerDialog([=, this](QDialog& dialog) {
            auto& editor = dynamic_cast<ScriptEditorDialog&>(dialog);
            m_openedAtBlock = editor.textEdit()->textCursor().blockNumber();
            m_openedTitle = editor.windowTitle();
            editor.textEdit()->moveCursorTo(1, 1);
            if (!typed.isEmpty()) {
                QTest::keyClicks(editor.textEdit(), typed);
                QTest::keyClick(editor.textEdit(), Qt::Key_Return);
            }
            editor.buttons()->button(button)->click();
            return editor.result();
        });
    }

    std::shared_ptr<vellum::testing::ScriptedPlatform> m_platform =
        std::make_shared<vellum::testing::ScriptedPlatform>();
    int m_openedAtBlock = -1;
    QString m_openedTitle;
};

TEST_F(ScriptEditorTest, AcceptedChangeIsHandedBack)
{
    answerWith(QStringLiteral("// edited"), QDialogButtonBox::Ok);
    QString script = fiveLines;
    ScriptEditor editor;
    EXPECT_TRUE(editor.Edit(script, 3, 0, QStringLiteral("Wheel"), nullptr));
    EXPECT_EQ(script, QStringLiteral("// edited\n") + fiveLines);
    EXPECT_EQ(m_openedAtBlock, 2);
    EXPECT_EQ(m_openedTitle, QStringLiteral("Wheel"));
    EXPECT_EQ(m_platform->callsNamed(QStringLiteral("ShowModal")).size(), 1);
}

TEST_F(ScriptEditorTest, CancelOrUnchangedTextLeavesTheScript)
{
    answerWith(QStringLiteral("// edited"), QDialogButtonBox::Cancel);
    answerWith(QString(), QDialogButtonBox::Ok);
    ScriptEditor editor;

    QString script = fiveLines;
    EXPECT_FALSE(editor.Edit(script, 1, 0, QString(), nullptr));
    EXPECT_EQ(script, fiveLines);
    EXPECT_FALSE(editor.Edit(script, 1, 0, QString(), nullptr));
    EXPECT_EQ(script, fiveLines);
}

class TestComponent : public outside::Scripted, public ScriptHolder
{
public:
    QString Script() override { return m_engine->script(); }
    outside::ScriptEnginePtr ScriptEngine() override { return m_engine; }
    void setScript(const QString& script) override { m_engine->setScript(script); }

private:
    std::shared_ptr<JsScriptEngine> m_engine = std::make_shared<JsScriptEngine>();
};

class NotAHolder : public outside::Scripted
{
public:
    QString Script() override { return {}; }
    outside::ScriptEnginePtr ScriptEngine() override { return nullptr; }
};

TEST_F(ScriptEditorTest, ApplyScriptStoresTheTextInAHolderEvenIfItDoesNotCompile)
{
    auto holder = std::make_shared<TestComponent>();
    outside::ScriptedPtr component = holder;
    ScriptEditor editor;

    editor.ApplyScript(component, QStringLiteral("function AnimateGroup(f, o) { o.position = 9; }"),
                       true, 0, 0);
    EXPECT_EQ(component, holder);
    auto scriptObject = std::make_shared<testing::TestScriptObject>();
    outside::ScriptObjectPtr object = scriptObject;
    float frame = 0;
    component->ScriptEngine()->Run(QStringLiteral("AnimateGroup"), frame, object);
    EXPECT_DOUBLE_EQ(scriptObject->testFacade().position(), 9);

    editor.ApplyScript(component, QStringLiteral("function ("), true, 0, 0);
    EXPECT_EQ(component->Script(), QStringLiteral("function ("));

    outside::ScriptedPtr foreign = std::make_shared<NotAHolder>();
    try {
        editor.ApplyScript(foreign, QStringLiteral("x"), true, 0, 0);
        ADD_FAILURE() << "ApplyScript accepted a component that cannot hold a script";
    } catch (const vellum::Error& error) {
        EXPECT_EQ(error.number(), ErrorNumber::MemberNotSupported);
    }
}

} // namespace
} // namespace vellum::sg
