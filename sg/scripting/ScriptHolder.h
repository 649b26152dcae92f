#pragma once

class QString;

namespace vellum::sg {

// A component whose script text the script editor can replace.
class ScriptHolder
{
public:
    virtual ~ScriptHolder() = default;
    virtual void setScript(const QString& script) = 0;
    // The editor stores an edited script through here; the scene is told of the edit next.
    virtual void applyEditedScript(const QString& script) { setScript(script); }
};

} // namespace vellum::sg
