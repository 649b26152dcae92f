#pragma once

#include <QString>
#include <functional>
#include <outside/Scripting.h>

namespace vellum::sg {

// The script engine, editor and script objects come from the scripting part of the library;
// the host installs them on the scene graph.
using ScriptEngineFactory = std::function<outside::ScriptEnginePtr(const QString& scriptText)>;
using ScriptEditorFactory = std::function<outside::ScriptEditorPtr()>;
using ScriptObjectFactory = std::function<outside::ScriptObjectPtr(outside::ScriptObjectClass)>;

} // namespace vellum::sg
