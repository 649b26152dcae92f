// The scripting library: the JavaScript engine (runs, failures and their places, time-outs) and
// the script editor (its dialog, edits handed back).
#include "ErrorNumber.h"
#include "JsScriptEngine.h"
#include "JsScriptObject.h"
#include "LineNumberGutter.h"
#include "ScriptEditor.h"
#include "ScriptEditorDialog.h"
#include "ScriptFailure.h"
#include "ScriptTextEdit.h"
#include "ScriptedPlatform.h"

#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QObject>
#include <QPushButton>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>

namespace vellum::sg {
namespace {

using namespace std::chrono_literals;
// What a script sees of a group in these tests: a position and a method.
class TestFacade : public QObject
{
    Q_OBJECT
    Q_PROPERTY(double position MEMBER m_position)
public:
    Q_INVOKABLE void moveBy(double delta) { m_position += delta; }

    double position() const { return m_position; }

private:
    double m_position = 0;
};

class TestScriptObject : public JsScriptObject
{
public:
    QObject* facade() override { return &m_facade; }
    TestFacade& testFacade() { return m_facade; }

private:
    TestFacade m_facade;
};

const QString entry = QStringLiteral("AnimateGroup");

// The facade position after running procedure, or NaN when the run threw.
double run(JsScriptEngine& engine, float frame = 0, const QString& procedure = entry)
{
    auto scriptObject = std::make_shared<TestScriptObject>();
    outside::ScriptObjectPtr object = scriptObject;
    try {
        engine.Run(procedure, frame, object);
    } catch (const vellum::Error& error) {
        EXPECT_EQ(error.number(), engine.Error().Number);
        EXPECT_EQ(error.description(), engine.Error().Description);
        return std::nan("");
    }
    EXPECT_EQ(object, scriptObject);
    return scriptObject->testFacade().position();
}

TEST(JsScriptEngine, RunsTheEntryEvaluatesTheTextOnlyWhenItChangesAndClearsItsErrorAfterASuccess)
{
    const QString counting = QStringLiteral("var runs = 0;\n"
                                            "function AnimateGroup(frame, group) {\n"
                                            "    group.position = frame * 2 + ++runs;\n"
                                            "    group.moveBy(0.5);\n"
                                            "}\n");
    JsScriptEngine engine(counting);
    EXPECT_DOUBLE_EQ(run(engine, 3.5f), 3.5 * 2 + 1 + 0.5);
    EXPECT_EQ(engine.Error().Number, 0);
    engine.setScript(counting);
    EXPECT_DOUBLE_EQ(run(engine, 3.5f), 3.5 * 2 + 2 + 0.5);

    // A failed evaluation is reported on every run; a fixed text runs and clears the record.
    engine.setScript(QStringLiteral("function AnimateGroup(f, o) {\n  o.position = ;\n}"));
    EXPECT_TRUE(std::isnan(run(engine)));
    EXPECT_TRUE(std::isnan(run(engine)));
    EXPECT_EQ(engine.Error().Number, ScriptErrorNumber::SyntaxError);
    engine.setScript(QStringLiteral("function AnimateGroup(f, o) { o.position = -1; }"));
    EXPECT_DOUBLE_EQ(run(engine), -1);
    EXPECT_EQ(std::tuple(engine.Error().Number, engine.Error().Line, engine.Error().Description),
              std::tuple(0, 0, QString()));
}

TEST(JsScriptEngine, ScriptObjectsOtherThanJsOnesAreATypeMismatch)
{
    struct ForeignObject : outside::ScriptObject
    {};
    JsScriptEngine engine(
        QStringLiteral("function AnimateGroup(f, o) { if (o !== null) throw 'not null'; }"));
    float frame = 0;
    outside::ScriptObjectPtr none;
    EXPECT_NO_THROW(engine.Run(entry, frame, none));

    outside::ScriptObjectPtr foreign = std::make_shared<ForeignObject>();
    EXPECT_THROW(engine.Run(entry, frame, foreign), vellum::Error);
    EXPECT_EQ(engine.Error().Number, ErrorNumber::TypeMismatch);
}

TEST(JsScriptEngine, EndlessLoopsAreInterruptedAndTheEngineStaysUsable)
{
    const auto bound = 300ms;
    JsScriptEngine engine(QStringLiteral("function Spin(f, o) {\n  while (true) {}\n}\n"
                                         "function AnimateGroup(f, o) { o.position = f; }\n"));
    engine.setTimeout(bound);
    QElapsedTimer elapsed;
    elapsed.start();
    EXPECT_TRUE(std::isnan(run(engine, 0, QStringLiteral("Spin"))));
    EXPECT_LT(elapsed.elapsed(), (bound + 1500ms).count());
    EXPECT_GE(elapsed.elapsed(), (bound - 50ms).count());
    EXPECT_EQ(std::tuple(engine.Error().Number, engine.Error().Line, engine.Error().Description),
              std::tuple(ScriptErrorNumber::TimedOut, 0,
                         QStringLiteral("Script timed out after 300 ms")));
    EXPECT_DOUBLE_EQ(run(engine, 7), 7);

    engine.setScript(QStringLiteral("for (;;) {}\nfunction AnimateGroup(f, o) {}\n"));
    elapsed.restart();
    EXPECT_TRUE(std::isnan(run(engine)));
    EXPECT_EQ(engine.Error().Number, ScriptErrorNumber::TimedOut);
    EXPECT_LT(elapsed.elapsed(), (bound + 1500ms).count());
}

TEST(JsScriptEngine, EachFailureHasItsNumberAndPlace)
{
    const struct
    {
        const char* script;
        int number;
        int line;
        const char* description; // nullptr: not checked
        int column = 0;          // checked where the line is 0 or a column is given
    } rows[] = {
        // clang-format off
        {"function AnimateLight(f, o) {}\n", 438, 0, "Object doesn't support this property or method"}, // no entry
        {"var AnimateGroup = 5;\n", 438, 0, nullptr},
        {"function AnimateGroup(f) {}\n", 450, 0, "Wrong number of arguments or invalid property assignment"},
        {"function AnimateGroup(f, o, x) {}\n", 450, 0, nullptr},
        {"// moves the group\nfunction AnimateGroup(frame, group) {\n    var step = frame / 2;\n    group.position = step;\n    group.noSuchMethod(step);\n}\n",
         438, 5, "Object doesn't support this property or method: 'noSuchMethod'"},
        {"function AnimateGroup(f, o) {\n\n  throw {number: 7, message: 'seven'};\n}\n", 7, 3, "seven"},
        // An Error tells where it was made.
        {"function AnimateGroup(f, o) {\n  var e = new Error('boom');\n  e.number = 1234;\n  throw e;\n}\n", 1234, 2, "boom"},
        {"function AnimateGroup(f, o) {\n\n\n  throw 'text';\n}\n", 5, 4, "text"},
        {"function AnimateGroup(f, o) {\n  return zz + 1;\n}\n", 500, 2, "Variable is undefined: 'zz'"},
        {"function AnimateGroup(f, o) {\n  var g;\n  g.moveBy(1);\n}\n", 424, 3, "Object required"},
        {"function down(n) { return down(n + 1) + 1; }\nfunction AnimateGroup(f, o) {\n  down(0);\n}\n", 28, 1, "Out of stack space"},
        {"var ok = 1;\nthrow new Error('early');\nfunction AnimateGroup(f, o) {}\n", 5, 2, "early"}, // while the text is evaluated
        {"function AnimateGroup(f, o) {\n  var x = ;\n}\n", 1002, 2, "Syntax error", 11},
        // clang-format on
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.script);
        JsScriptEngine engine(QString::fromUtf8(row.script));
        EXPECT_TRUE(std::isnan(run(engine)));
        const outside::ScriptError error = engine.Error();
        EXPECT_EQ(std::tuple(error.Number, error.Line), std::tuple(row.number, row.line));
        EXPECT_EQ(error.Column, row.line == 0 || row.column != 0 ? row.column : error.Column);
        EXPECT_EQ(error.Description,
                  row.description ? QString::fromUtf8(row.description) : error.Description);
    }
}

const QString fiveLines = QStringLiteral("function AnimateGroup(f, o) {\n    var a = 1;\n"
                                         "    o.position = a;\n}\n// end");

int cursorBlock(const ScriptEditorDialog& dialog)
{
    return dialog.textEdit()->textCursor().blockNumber();
}

TEST(ScriptEditorDialog, OpensAtLineAndColumnTracksChangesAndWidensItsGutter)
{
    ScriptEditorDialog dialog(fiveLines, 3, 5, QStringLiteral("Wheel"));
    ScriptEditorDialog pastTheEnd(fiveLines, 99, 99, QString());
    EXPECT_EQ(std::tuple(dialog.windowTitle(), cursorBlock(dialog),
                         dialog.textEdit()->textCursor().positionInBlock(), cursorBlock(pastTheEnd),
                         pastTheEnd.textEdit()->textCursor().positionInBlock()),
              std::tuple(QStringLiteral("Wheel"), 2, 4, 4, 6));

    dialog.show();
    EXPECT_FALSE(dialog.changed());
    QTest::keyClicks(dialog.textEdit(), QStringLiteral("x"));
    EXPECT_TRUE(dialog.changed());
    QTest::keyClick(dialog.textEdit(), Qt::Key_Backspace);
    EXPECT_FALSE(dialog.changed());

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

} // namespace
} // namespace vellum::sg

#include "ScriptingTest.moc"
