#pragma once

#include "Scripting.h"

#include <QString>
#include <chrono>
#include <memory>

class QJSEngine;
class QJSValue;

namespace vellum::sg {

// Runs procedures of a component's JavaScript text. The text is evaluated once in an engine of
// its own and stays evaluated until it changes, so top-level variables keep their values from
// one run to the next. Every run is bounded in time.
//
// Run throws vellum::Error with the number and description of Error(); Error().Line and Column
// (1-based) say where in the text it happened, 0 when it was not inside the text.
class JsScriptEngine : public outside::ScriptEngine
{
public:
    static constexpr std::chrono::milliseconds defaultTimeout{2000};

    explicit JsScriptEngine(QString script = {});
    ~JsScriptEngine() override;

    void Run(const QString& procedure, float& frame,
             outside::ScriptObjectPtr& scriptObject) override;
    outside::ScriptError Error() override;

    QString script() const { return m_script; }
    void setScript(const QString& script);

    std::chrono::milliseconds timeout() const { return m_timeout; }
    void setTimeout(std::chrono::milliseconds timeout);

private:
    struct Outcome;

    void evaluateScript();
    QJSValue entryFunction(const QString& procedure);
    QJSValue scriptArgument(const outside::ScriptObjectPtr& scriptObject);
    void call(const QJSValue& entry, float frame, const QJSValue& argument);
    Outcome boundedEvaluate(const QString& program, const QString& fileName);
    [[noreturn]] void fail(const outside::ScriptError& failure);

    QString m_script;
    std::chrono::milliseconds m_timeout = defaultTimeout;
    std::unique_ptr<QJSEngine> m_engine; // null until m_script is evaluated
    outside::ScriptError m_error;
};

} // namespace vellum::sg
