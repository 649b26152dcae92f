#pragma once

#include "ScriptSeams.h"
#include "scripting/JsScriptEngine.h"

namespace vellum::sg {

// The engine of one component's script. Before each run it binds the component's script object
// to the component, so a script reaches exactly the component it belongs to.
class ComponentScriptEngine final : public JsScriptEngine
{
public:
    ComponentScriptEngine(QString script, std::weak_ptr<outside::Scripted> component);

    static ComponentScriptEngineFactory factory();

    void Run(const QString& procedure, float& frame,
             outside::ScriptObjectPtr& scriptObject) override;

private:
    std::weak_ptr<outside::Scripted> m_component;
};

} // namespace vellum::sg
