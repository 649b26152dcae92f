#include "ScriptSlot.h"

#include "SgError.h"

namespace vellum::sg {

void ScriptSlot::setText(const QString& text)
{
    if (text == m_text)
        return;
    m_text = text;
    m_engine.reset();
}

outside::ScriptEnginePtr ScriptSlot::engine(const std::shared_ptr<ScriptEngineFactory>& factory)
{
    if (m_engine)
        return m_engine;
    if (!factory || !*factory)
        throw noScriptSupport(QStringLiteral("script engine"));
    m_engine = (*factory)(m_text);
    if (!m_engine)
        throw noScriptSupport(QStringLiteral("script engine"));
    return m_engine;
}

} // namespace vellum::sg
