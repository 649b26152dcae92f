#pragma once

#include "Scripting.h"

#include <QStringList>
#include <chrono>

class QJSValue;

namespace vellum::sg {

// Numbers of script failures that the shared runtime numbers do not cover.
namespace ScriptErrorNumber {
inline constexpr int TimedOut = 17;
inline constexpr int OutOfStackSpace = 28;
inline constexpr int VariableUndefined = 500;
inline constexpr int SyntaxError = 1002;
} // namespace ScriptErrorNumber

// Where a failure happened in the script text; 0 where the engine does not tell.
struct ScriptLocation
{
    int line = 0;
    int column = 0; // 1-based
};

// The innermost frame of an exception stack trace (entries "function:line:column:file") that
// lies in the file named scriptFile.
ScriptLocation locationInTrace(const QStringList& trace, const QString& scriptFile);

// Turns a value thrown by a script into its error record. A known where wins over the line an
// Error object carries itself.
outside::ScriptError thrownValueFailure(const QJSValue& thrown, ScriptLocation where);

outside::ScriptError memberNotSupportedFailure();
outside::ScriptError wrongArgumentCountFailure();
outside::ScriptError timedOutFailure(std::chrono::milliseconds bound);

} // namespace vellum::sg
