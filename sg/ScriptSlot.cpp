#include "ScriptSlot.h"

#include "SgError.h"
#include "scripting/JsScriptEngine.h"

namespace vellum::sg {

void ScriptSlot::setText(const QString& text)
{
    if (text == m_text)
        return;
    m_text = text;
    if (auto* following = dynamic_cast<JsScriptEngine*>(m_engine.get()))
        following->setScript(text);
    else
        m_engine.reset();
}

outside::ScriptEnginePtr
ScriptSlot::engine(const std::shared_ptr<ComponentScriptEngineFactory>& factory,
                   const std::weak_ptr<outside::Scripted>& owner)
{
    if (m_engine)
        return m_engine;
    if (!factory || !*factory)
        throw noScriptSupport(QStringLiteral("script engine"));
    m_engine = (*factory)(m_text, owner);
    if (!m_engine)
        throw noScriptSupport(QStringLiteral("script engine"));
    return m_engine;
}

} // namespace vellum::sg
