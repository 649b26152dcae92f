#include "JsScriptEngine.h"

#include "Error.h"
#include "ScriptFailure.h"
#include "TestFacade.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

namespace vellum::sg {
namespace {

using namespace std::chrono_literals;
using testing::TestScriptObject;

const QString entry = QStringLiteral("AnimateGroup");

// Runs the entry and hands back the error it threw, checking that Error() agrees with it.
outside::ScriptError runExpectingFailure(JsScriptEngine& engine, const QString& procedure = entry)
{
    float frame = 1;
    outside::ScriptObjectPtr object = std::make_shared<TestScriptObject>();
    try {
        engine.Run(procedure, frame, object);
    } catch (const vellum::Error& error) {
        const outside::ScriptError recorded = engine.Error();
        EXPECT_EQ(error.number(), recorded.Number);
        EXPECT_EQ(error.description(), recorded.Description);
        return recorded;
    }
    ADD_FAILURE() << "Run did not throw";
    return engine.Error();
}

TEST(JsScriptEngine, RunsTheEntryWithFrameAndFacadeAndKeepsScriptState)
{
    JsScriptEngine engine(QStringLiteral("var runs = 0;\n"
                                         "function AnimateGroup(frame, group) {\n"
                                         "    runs++;\n"
                                         "    group.position = frame * 2 + runs;\n"
                                         "    group.moveBy(0.5);\n"
                                         "}\n"));
    auto scriptObject = std::make_shared<TestScriptObject>();
    outside::ScriptObjectPtr object = scriptObject;
    float frame = 3.5f;

    engine.Run(entry, frame, object);
    EXPECT_DOUBLE_EQ(scriptObject->testFacade().position(), 3.5 * 2 + 1 + 0.5);
    EXPECT_EQ(engine.Error().Number, 0);

    engine.Run(entry, frame, object);
    EXPECT_DOUBLE_EQ(scriptObject->testFacade().position(), 3.5 * 2 + 2 + 0.5)
        << "the text must not be evaluated again between runs";
    EXPECT_EQ(object, scriptObject);
    EXPECT_FLOAT_EQ(frame, 3.5f);
}

TEST(JsScriptEngine, EvaluatesAgainOnlyWhenTheTextChanges)
{
    const QString counting = QStringLiteral(
        "var runs = 0;\nfunction AnimateGroup(f, o) { runs++; o.position = runs; }\n");
    JsScriptEngine engine(counting);
    auto scriptObject = std::make_shared<TestScriptObject>();
    outside::ScriptObjectPtr object = scriptObject;
    float frame = 0;

    engine.Run(entry, frame, object);
    engine.setScript(counting);
    engine.Run(entry, frame, object);
    EXPECT_DOUBLE_EQ(scriptObject->testFacade().position(), 2);

    engine.setScript(QStringLiteral("function AnimateGroup(f, o) { o.position = -1; }"));
    engine.Run(entry, frame, object);
    EXPECT_DOUBLE_EQ(scriptObject->testFacade().position(), -1);
    EXPECT_EQ(engine.script(), QStringLiteral("function AnimateGroup(f, o) { o.position = -1; }"));
}

TEST(JsScriptEngine, ErrorResetsAfterASuccessfulRun)
{
    JsScriptEngine engine(QStringLiteral("function AnimateGroup(f, o) {\n  o.missing();\n}\n"
                                         "function Other(f, o) { o.position = 1; }\n"));
    EXPECT_EQ(runExpectingFailure(engine).Number, ErrorNumber::MemberNotSupported);

    float frame = 0;
    outside::ScriptObjectPtr object = std::make_shared<TestScriptObject>();
    engine.Run(QStringLiteral("Other"), frame, object);
    const outside::ScriptError error = engine.Error();
    EXPECT_EQ(error.Number, 0);
    EXPECT_EQ(error.Line, 0);
    EXPECT_TRUE(error.Description.isEmpty());
}

TEST(JsScriptEngine, FixedSyntaxErrorRunsAfterSetScript)
{
    JsScriptEngine engine(QStringLiteral("function AnimateGroup(f, o) {\n  o.position = ;\n}"));
    EXPECT_EQ(runExpectingFailure(engine).Number, ScriptErrorNumber::SyntaxError);
    EXPECT_EQ(runExpectingFailure(engine).Number, ScriptErrorNumber::SyntaxError)
        << "a failed evaluation must be reported on every run";

    engine.setScript(QStringLiteral("function AnimateGroup(f, o) {\n  o.position = 4;\n}"));
    auto scriptObject = std::make_shared<TestScriptObject>();
    outside::ScriptObjectPtr object = scriptObject;
    float frame = 0;
    engine.Run(entry, frame, object);
    EXPECT_DOUBLE_EQ(scriptObject->testFacade().position(), 4);
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

TEST(JsScriptEngine, EndlessLoopIsInterruptedAndTheEngineStaysUsable)
{
    const auto bound = 300ms;
    JsScriptEngine engine(QStringLiteral("function Spin(f, o) {\n  while (true) {}\n}\n"
                                         "function AnimateGroup(f, o) { o.position = f; }\n"));
    engine.setTimeout(bound);

    QElapsedTimer elapsed;
    elapsed.start();
    const outside::ScriptError error = runExpectingFailure(engine, QStringLiteral("Spin"));
    EXPECT_LT(elapsed.elapsed(), (bound + 1500ms).count());
    EXPECT_GE(elapsed.elapsed(), (bound - 50ms).count());
    EXPECT_EQ(error.Number, ScriptErrorNumber::TimedOut);
    EXPECT_EQ(error.Line, 0);
    EXPECT_EQ(error.Description, QStringLiteral("Script timed out after 300 ms"));

    auto scriptObject = std::make_shared<TestScriptObject>();
    outside::ScriptObjectPtr object = scriptObject;
    float frame = 7;
    engine.Run(entry, frame, object);
    EXPECT_DOUBLE_EQ(scriptObject->testFacade().position(), 7);
}

TEST(JsScriptEngine, EndlessLoopInTheScriptTextItselfIsInterrupted)
{
    JsScriptEngine engine(QStringLiteral("for (;;) {}\nfunction AnimateGroup(f, o) {}\n"));
    engine.setTimeout(200ms);
    QElapsedTimer elapsed;
    elapsed.start();
    EXPECT_EQ(runExpectingFailure(engine).Number, ScriptErrorNumber::TimedOut);
    EXPECT_LT(elapsed.elapsed(), 1700);
}

struct FailureCase
{
    const char* name;
    const char* script;
    int number;
    int line;
    const char* description; // nullptr: not checked
};

class JsScriptEngineFailure : public ::testing::TestWithParam<FailureCase>
{};

TEST_P(JsScriptEngineFailure, HasItsNumberAndLine)
{
    const FailureCase& row = GetParam();
    JsScriptEngine engine(QString::fromUtf8(row.script));
    const outside::ScriptError error = runExpectingFailure(engine);
    EXPECT_EQ(error.Number, row.number);
    EXPECT_EQ(error.Line, row.line);
    if (row.line == 0) {
        EXPECT_EQ(error.Column, 0);
    }
    if (row.description) {
        EXPECT_EQ(error.Description, QString::fromUtf8(row.description));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Classes, JsScriptEngineFailure,
    ::testing::Values(
        FailureCase{"MissingEntry", "function AnimateLight(f, o) {}\n", 438, 0,
                    "Object doesn't support this property or method"},
        FailureCase{"EntryNotAFunction", "var AnimateGroup = 5;\n", 438, 0, nullptr},
        FailureCase{"OneParameter", "function AnimateGroup(f) {}\n", 450, 0,
                    "Wrong number of arguments or invalid property assignment"},
        FailureCase{"ThreeParameters", "function AnimateGroup(f, o, x) {}\n", 450, 0, nullptr},
        FailureCase{"MissingMemberInside",
                    "// moves the group\n"
                    "function AnimateGroup(frame, group) {\n"
                    "    var step = frame / 2;\n"
                    "    group.position = step;\n"
                    "    group.noSuchMethod(step);\n"
                    "}\n",
                    438, 5, "Object doesn't support this property or method: 'noSuchMethod'"},
        FailureCase{"NumberedObject",
                    "function AnimateGroup(f, o) {\n\n  throw {number: 7, message: 'seven'};\n}\n",
                    7, 3, "seven"},
        FailureCase{"ErrorWithNumber",
                    "function AnimateGroup(f, o) {\n  var e = new Error('boom');\n"
                    "  e.number = 1234;\n  throw e;\n}\n",
                    1234, 2, "boom"}, // an Error tells where it was made
        FailureCase{"PlainError", "function AnimateGroup(f, o) {\n  throw new Error('plain');\n}\n",
                    5, 2, "plain"},
        FailureCase{"ThrownText", "function AnimateGroup(f, o) {\n\n\n  throw 'text';\n}\n", 5, 4,
                    "text"},
        FailureCase{"UndefinedVariable", "function AnimateGroup(f, o) {\n  return zz + 1;\n}\n",
                    500, 2, "Variable is undefined: 'zz'"},
        FailureCase{"CallOnUndefined",
                    "function AnimateGroup(f, o) {\n  var g;\n  g.moveBy(1);\n}\n", 424, 3,
                    "Object required"},
        FailureCase{"NullObject",
                    "function AnimateGroup(f, o) {\n  var g = null;\n  g.position = 1;\n}\n", 424,
                    3, "Object required"},
        FailureCase{"DeepRecursion",
                    "function down(n) { return down(n + 1) + 1; }\n"
                    "function AnimateGroup(f, o) {\n  down(0);\n}\n",
                    28, 1, "Out of stack space"},
        FailureCase{"ThrowWhileEvaluatingText",
                    "var ok = 1;\nthrow new Error('early');\nfunction AnimateGroup(f, o) {}\n", 5,
                    2, "early"},
        FailureCase{"SyntaxError", "function AnimateGroup(f, o) {\n  var x = ;\n}\n", 1002, 2,
                    "Syntax error"}),
    [](const ::testing::TestParamInfo<FailureCase>& info) { return info.param.name; });

TEST(JsScriptEngine, SyntaxErrorCarriesItsColumn)
{
    JsScriptEngine engine(QStringLiteral("function AnimateGroup(f, o) {\n  var x = ;\n}\n"));
    const outside::ScriptError error = runExpectingFailure(engine);
    EXPECT_EQ(error.Line, 2);
    EXPECT_EQ(error.Column, 11);
}

} // namespace
} // namespace vellum::sg
