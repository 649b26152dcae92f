#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <outside/Scripting.h>

namespace vellum::sg {

// The scene graph installs the scripting part of the library by default; tests and hosts may
// install their own.

// Makes the engine of one component. The engine may hand the component to the script objects
// it runs with; it must not keep the component alive.
using ComponentScriptEngineFactory = std::function<outside::ScriptEnginePtr(
    const QString& scriptText, const std::weak_ptr<outside::Scripted>& component)>;
// For engines that need no component.
using ScriptEngineFactory = std::function<outside::ScriptEnginePtr(const QString& scriptText)>;
using ScriptEditorFactory = std::function<outside::ScriptEditorPtr()>;
using ScriptObjectFactory = std::function<outside::ScriptObjectPtr(outside::ScriptObjectClass)>;

} // namespace vellum::sg
