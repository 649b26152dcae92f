#pragma once

#include "Scripting.h"

class QObject;

namespace vellum::sg {

// A script object whose scriptable side is a QObject: scripts see its Q_PROPERTYs and
// Q_INVOKABLEs. The object keeps ownership of the facade; the script engine never deletes it.
class JsScriptObject : public outside::ScriptObject
{
public:
    virtual QObject* facade() = 0;
};

} // namespace vellum::sg
