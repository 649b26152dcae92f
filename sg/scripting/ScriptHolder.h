#pragma once

class QString;

namespace vellum::sg {

// A component whose script text the script editor can replace.
class ScriptHolder
{
public:
    virtual ~ScriptHolder() = default;
    virtual void setScript(const QString& script) = 0;
};

} // namespace vellum::sg
