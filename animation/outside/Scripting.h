#pragma once

#include "Forward.h"

#include <QString>
#include <cstdint>

namespace vellum::outside {

// The last failure of a script run. Line 0 means the failure was not inside the script.
struct ScriptError
{
    int Number = 0;
    std::int32_t Line = 0;
    std::int32_t Column = 0;
    QString Description;
};

// Through a script object a script reads and changes its component. Created fresh per run.
class ScriptObject
{
public:
    virtual ~ScriptObject() = default;
};

enum class ScriptObjectClass
{
    CameraScriptObject,
    LightScriptObject,
    GroupScriptObject,
    ShapeScriptObject
};

// A component's script engine. Run fails (throws) with 438 when the script has no procedure of
// that name and with 450 when the procedure takes another number of parameters, both with
// Error().Line 0; any other failure carries its own number and the line where it happened.
class ScriptEngine
{
public:
    virtual ~ScriptEngine() = default;
    virtual void Run(const QString& procedure, float& frame, ScriptObjectPtr& scriptObject) = 0;
    virtual ScriptError Error() = 0;
};

// A component that can carry a script.
class Scripted
{
public:
    virtual ~Scripted() = default;
    virtual QString Script() = 0;
    virtual ScriptEnginePtr ScriptEngine() = 0;
};

// Modal script editing, created fresh for every edit.
class ScriptEditor
{
public:
    virtual ~ScriptEditor() = default;
    virtual void Attach(const SceneGraphPtr& sceneGraph) = 0;
    // Opens the editor at line and column; True when the user accepted a change, which is
    // then in script.
    virtual bool Edit(QString& script, std::int32_t line, std::int32_t column, const QString& title,
                      const ShapePtr& object) = 0;
    // Stores the script in the component; may hand back a replacement component.
    virtual void ApplyScript(ScriptedPtr& component, const QString& script, bool compile,
                             std::int32_t reservedA, std::int32_t reservedB) = 0;
};

} // namespace vellum::outside
