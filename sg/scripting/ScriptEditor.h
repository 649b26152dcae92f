#pragma once

#include "Scripting.h"

namespace vellum::sg {

// Lets the user edit a component script in a modal dialog and stores the result.
class ScriptEditor : public outside::ScriptEditor
{
public:
    void Attach(const outside::SceneGraphPtr& sceneGraph) override;
    bool Edit(QString& script, std::int32_t line, std::int32_t column, const QString& title,
              const outside::ShapePtr& object) override;
    // The component must be a ScriptHolder, else 438. The script is stored even when it does
    // not compile: the user may save unfinished work, and the next run reports the error at its
    // line. The component stays the same object.
    void ApplyScript(outside::ScriptedPtr& component, const QString& script, bool compile,
                     std::int32_t reservedA, std::int32_t reservedB) override;

    const outside::SceneGraphPtr& sceneGraph() const { return m_sceneGraph; }

private:
    outside::SceneGraphPtr m_sceneGraph;
};

} // namespace vellum::sg
