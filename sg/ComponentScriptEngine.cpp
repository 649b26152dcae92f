#include "ComponentScriptEngine.h"

#include "ScriptFacade.h"

namespace vellum::sg {

ComponentScriptEngine::ComponentScriptEngine(QString script,
                                             std::weak_ptr<outside::Scripted> component)
    : JsScriptEngine(std::move(script)), m_component(std::move(component))
{}

ComponentScriptEngineFactory ComponentScriptEngine::factory()
{
    return [](const QString& script, const std::weak_ptr<outside::Scripted>& component) {
        return std::make_shared<ComponentScriptEngine>(script, component);
    };
}

void ComponentScriptEngine::Run(const QString& procedure, float& frame,
                                outside::ScriptObjectPtr& scriptObject)
{
    if (auto* bindable = dynamic_cast<ComponentScriptObject*>(scriptObject.get()))
        bindable->bind(m_component.lock());
    JsScriptEngine::Run(procedure, frame, scriptObject);
}

} // namespace vellum::sg
