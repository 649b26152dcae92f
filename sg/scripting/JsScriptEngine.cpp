#include "JsScriptEngine.h"

#include "Error.h"
#include "JsScriptObject.h"
#include "ScriptFailure.h"
#include "ScriptWatchdog.h"

#include <QJSEngine>
#include <QStringList>

namespace vellum::sg {

namespace {

QString scriptFileName()
{
    return QStringLiteral("script.js");
}

// Calls go through evaluate() rather than QJSValue::call(): only evaluate() tells a thrown
// value from a returned one and where in the text it was thrown.
QString callSlot()
{
    return QStringLiteral("__vellumCall");
}

QString callProgram()
{
    return QStringLiteral(
        "(0, __vellumCall.entry)(__vellumCall.frame, __vellumGuard(__vellumCall.object))");
}

// A component's object takes only the members it has: writing any other name fails with 438
// at the script's line instead of quietly adding a property that nothing reads. Methods stay
// bound to the object itself, which the engine needs to call them.
QString guardProgram()
{
    return QStringLiteral("var __vellumGuard = function (o) {\n"
                          "  if (o === null || typeof o !== 'object') return o;\n"
                          "  return new Proxy(o, {\n"
                          "    get: function (t, k) {\n"
                          "      var v = t[k];\n"
                          "      return typeof v === 'function' ? v.bind(t) : v;\n"
                          "    },\n"
                          "    set: function (t, k, v) {\n"
                          "      if (typeof k === 'string' && !(k in t)) {\n"
                          "        var e = new Error(\"Object doesn't support this property or "
                          "method: '\" + k + \"'\");\n"
                          "        e.number = 438;\n"
                          "        throw e;\n"
                          "      }\n"
                          "      t[k] = v;\n"
                          "      return true;\n"
                          "    }\n"
                          "  });\n"
                          "};\n");
}

constexpr int entryParameterCount = 2;

} // namespace

struct JsScriptEngine::Outcome
{
    QJSValue value;
    QStringList trace; // empty unless something was thrown
    bool timedOut = false;

    bool threw() const { return !trace.isEmpty() || timedOut; }
};

JsScriptEngine::JsScriptEngine(QString script) : m_script(std::move(script)) {}

JsScriptEngine::~JsScriptEngine() = default;

void JsScriptEngine::setScript(const QString& script)
{
    if (script == m_script)
        return;
    m_script = script;
    m_engine.reset();
}

void JsScriptEngine::setTimeout(std::chrono::milliseconds timeout)
{
    m_timeout = timeout;
}

outside::ScriptError JsScriptEngine::Error()
{
    return m_error;
}

void JsScriptEngine::Run(const QString& procedure, float& frame,
                         outside::ScriptObjectPtr& scriptObject)
{
    m_error = {};
    evaluateScript();
    const QJSValue entry = entryFunction(procedure);
    call(entry, frame, scriptArgument(scriptObject));
}

void JsScriptEngine::evaluateScript()
{
    if (m_engine)
        return;
    m_engine = std::make_unique<QJSEngine>();
    m_engine->evaluate(guardProgram(), QStringLiteral("guard.js"));
    const Outcome outcome = boundedEvaluate(m_script, scriptFileName());
    if (!outcome.threw())
        return;
    // Evaluate afresh next time, so that the same failure is reported again.
    const outside::ScriptError failure =
        outcome.timedOut
            ? timedOutFailure(m_timeout)
            : thrownValueFailure(outcome.value, locationInTrace(outcome.trace, scriptFileName()));
    m_engine.reset();
    fail(failure);
}

QJSValue JsScriptEngine::entryFunction(const QString& procedure)
{
    const QJSValue entry = m_engine->globalObject().property(procedure);
    if (!entry.isCallable())
        fail(memberNotSupportedFailure());
    if (entry.property(QStringLiteral("length")).toInt() != entryParameterCount)
        fail(wrongArgumentCountFailure());
    return entry;
}

QJSValue JsScriptEngine::scriptArgument(const outside::ScriptObjectPtr& scriptObject)
{
    if (!scriptObject)
        return QJSValue(QJSValue::NullValue);
    auto* jsObject = dynamic_cast<JsScriptObject*>(scriptObject.get());
    if (!jsObject)
        fail({ErrorNumber::TypeMismatch, 0, 0, QStringLiteral("Type mismatch")});
    QObject* facade = jsObject->facade();
    if (!facade)
        return QJSValue(QJSValue::NullValue);
    QJSEngine::setObjectOwnership(facade, QJSEngine::CppOwnership);
    return m_engine->newQObject(facade);
}

void JsScriptEngine::call(const QJSValue& entry, float frame, const QJSValue& argument)
{
    QJSValue slot = m_engine->newObject();
    slot.setProperty(QStringLiteral("entry"), entry);
    slot.setProperty(QStringLiteral("frame"), static_cast<double>(frame));
    slot.setProperty(QStringLiteral("object"), argument);
    m_engine->globalObject().setProperty(callSlot(), slot);

    const Outcome outcome = boundedEvaluate(callProgram(), QStringLiteral("call.js"));
    // The facade may die after this run; the script must not keep reaching it through the slot.
    m_engine->globalObject().deleteProperty(callSlot());

    if (outcome.timedOut)
        fail(timedOutFailure(m_timeout));
    if (outcome.threw())
        fail(thrownValueFailure(outcome.value, locationInTrace(outcome.trace, scriptFileName())));
}

JsScriptEngine::Outcome JsScriptEngine::boundedEvaluate(const QString& program,
                                                        const QString& fileName)
{
    Outcome outcome;
    ScriptWatchdog watchdog(*m_engine, m_timeout);
    outcome.value = m_engine->evaluate(program, fileName, 1, &outcome.trace);
    // A watchdog that fires just after a normal return interrupted nothing.
    outcome.timedOut = watchdog.fired() && (outcome.value.isError() || !outcome.trace.isEmpty());
    return outcome;
}

void JsScriptEngine::fail(const outside::ScriptError& failure)
{
    m_error = failure;
    throw vellum::Error(failure.Number, failure.Description);
}

} // namespace vellum::sg
