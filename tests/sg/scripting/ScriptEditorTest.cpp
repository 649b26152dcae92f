#include "ScriptEditor.h"

#include "ErrorNumber.h"
#include "JsScriptEngine.h"
#include "LineNumberGutter.h"
#include "ScriptEditorDialog.h"
#include "ScriptHolder.h"
#include "ScriptTextEdit.h"
#include "ScriptedPlatform.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace vellum::sg {
namespace {

const QString fiveLines = QStringLiteral("function AnimateGroup(f, o) {\n    var a = 1;\n"
                                         "    o.position = a;\n}\n// end");

int cursorBlock(const ScriptEditorDialog& dialog)
{
    return dialog.textEdit()->textCursor().blockNumber();
}

TEST(ScriptEditorDialog, OpensAtLineAndColumnAndTracksChanges)
{
    ScriptEditorDialog dialog(fiveLines, 3, 5, QStringLiteral("Wheel"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Wheel"));
    EXPECT_EQ(cursorBlock(dialog), 2);
    EXPECT_EQ(dialog.textEdit()->textCursor().positionInBlock(), 4);

    ScriptEditorDialog pastTheEnd(fiveLines, 99, 99, QString());
    EXPECT_EQ(cursorBlock(pastTheEnd), 4);
    EXPECT_EQ(pastTheEnd.textEdit()->textCursor().positionInBlock(), 6);

    dialog.show();
    EXPECT_FALSE(dialog.changed());
    QTest::keyClicks(dialog.textEdit(), QStringLiteral("x"));
    EXPECT_TRUE(dialog.changed());
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
    dialog.textEdit()->setPlainText(QStringLiteral("a\n").repeated(150));
    EXPECT_GT(gutter->width(), narrow);
    EXPECT_EQ(dialog.textEdit()->viewport()->x(), gutter->x() + gutter->width());
}

TEST(ScriptEditor, EditHandsBackOnlyAnAcceptedChange)
{
    auto platform = std::make_shared<vellum::testing::ScriptedPlatform>();
    outside::setPlatform(platform);
    int openedAtBlock = -1;
    // Types a line at the start when given one, then presses the button.
    const auto answer = [&](const QString& typed, QDialogButtonBox::StandardButton button) {
        platform->answerDialog([&, typed, button](QDialog& dialog) {
            auto& editor = dynamic_cast<ScriptEditorDialog&>(dialog);
            openedAtBlock = cursorBlock(editor);
            editor.textEdit()->moveCursorTo(1, 1);
            if (!typed.isEmpty()) {
                QTest::keyClicks(editor.textEdit(), typed);
                QTest::keyClick(editor.textEdit(), Qt::Key_Return);
            }
            editor.buttons()->button(button)->click();
            return editor.result();
        });
    };
    answer(QStringLiteral("// edited"), QDialogButtonBox::Cancel);
    answer(QString(), QDialogButtonBox::Ok);
    answer(QStringLiteral("// edited"), QDialogButtonBox::Ok);

    ScriptEditor editor;
    QString script = fiveLines;
    EXPECT_FALSE(editor.Edit(script, 3, 0, QStringLiteral("Wheel"), nullptr));
    EXPECT_EQ(openedAtBlock, 2);
    EXPECT_FALSE(editor.Edit(script, 1, 0, QString(), nullptr));
    EXPECT_EQ(script, fiveLines);
    EXPECT_TRUE(editor.Edit(script, 1, 0, QString(), nullptr));
    EXPECT_EQ(script, QStringLiteral("// edited\n") + fiveLines);
    EXPECT_TRUE(platform->allAnswersUsed());
    outside::setPlatform(nullptr);
}

class HoldingComponent : public outside::Scripted, public ScriptHolder
{
public:
    QString Script() override { return m_engine->script(); }
    outside::ScriptEnginePtr ScriptEngine() override { return m_engine; }
    void setScript(const QString& script) override { m_engine->setScript(script); }

private:
    std::shared_ptr<JsScriptEngine> m_engine = std::make_shared<JsScriptEngine>();
};

class PlainComponent : public outside::Scripted
{
public:
    QString Script() override { return {}; }
    outside::ScriptEnginePtr ScriptEngine() override { return nullptr; }
};

TEST(ScriptEditor, ApplyScriptStoresEvenAnUncompilableTextInAHolderOnly)
{
    auto holder = std::make_shared<HoldingComponent>();
    outside::ScriptedPtr component = holder;
    ScriptEditor editor;
    editor.ApplyScript(component, QStringLiteral("function ("), true, 0, 0);
    EXPECT_EQ(component, holder);
    EXPECT_EQ(component->Script(), QStringLiteral("function ("));

    outside::ScriptedPtr plain = std::make_shared<PlainComponent>();
    EXPECT_EQ(vellum::testing::errorNumberOf(
                  [&] { editor.ApplyScript(plain, QStringLiteral("x"), true, 0, 0); }),
              ErrorNumber::MemberNotSupported);
}

} // namespace
} // namespace vellum::sg
