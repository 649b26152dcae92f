#pragma once

#include "ScriptSeams.h"
#include "VellumSGExport.h"

#include <memory>

namespace vellum::sg {

// A component's script text and the engine built from it, made on first use. An engine that
// can take a new text keeps following the component's text, so whoever holds it runs what the
// component now says; any other engine is dropped when the text changes.
class VELLUMSG_EXPORT ScriptSlot
{
public:
    const QString& text() const { return m_text; }
    void setText(const QString& text);

    // Refuses with 429 when no engine factory is installed.
    outside::ScriptEnginePtr engine(const std::shared_ptr<ComponentScriptEngineFactory>& factory,
                                    const std::weak_ptr<outside::Scripted>& owner);
    bool hasEngine() const { return m_engine != nullptr; }
    void dropEngine() { m_engine.reset(); }

private:
    QString m_text;
    outside::ScriptEnginePtr m_engine;
};

} // namespace vellum::sg
