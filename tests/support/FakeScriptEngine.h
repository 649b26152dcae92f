#pragma once

#include "Error.h"
#include "Scripting.h"

#include <QStringList>

namespace vellum::testing {

// A script engine without a script: it writes its runs down and fails as told, keeping the
// failure as its error record.
class FakeScriptEngine : public outside::ScriptEngine
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

} // namespace vellum::testing
