#pragma once

// A layer over any implementation of the outside components that counts the panel's calls into
// them and makes one of them fail: it raises an error, or hands back Nothing where the call
// returns an object. Objects handed out are wrapped too, and unwrapped again on the way back.

#include "Error.h"
#include "Forward.h"
#include "Platform.h"

#include <QStringList>
#include <memory>

namespace vellum::testing {

class FaultPlan
{
public:
    enum class Fault
    {
        Error,
        Nothing
    };

    // Counts from now; call n (1-based) fails in the given way.
    void arm(int n, Fault fault);
    // Counts from now without failing.
    void count() { arm(0, Fault::Error); }
    void disarm() { m_counting = false; }

    // Every call of the layer comes here first. Throws the injected error, or answers True when
    // the call must hand back Nothing.
    bool enter(const char* component, const char* call, bool returnsObject);

    int calls() const { return int(m_log.size()); }
    bool reachedFault() const { return m_failAt > 0 && calls() >= m_failAt; }
    bool returnsObject(int n) const { return m_objectCalls.contains(n); }
    QStringList callsAfterFault() const
    {
        return reachedFault() ? m_log.mid(m_failAt) : QStringList();
    }

    static Error injectedError();

private:
    bool m_counting = false;
    int m_failAt = 0;
    Fault m_fault = Fault::Error;
    QStringList m_log;
    QList<int> m_objectCalls;
};

FaultPlan& faultPlan();

outside::SceneGraphPtr faulty(const outside::SceneGraphPtr& sceneGraph);
outside::ApplierPtr faulty(const outside::ApplierPtr& applier);
std::unique_ptr<outside::Viewport> faulty(std::unique_ptr<outside::Viewport> viewport);
// Keeps settings and files in the inner platform; answers every question itself (Yes, OK,
// an empty text, a rejected dialog, no menu choice).
std::shared_ptr<outside::Platform> faulty(std::shared_ptr<outside::Platform> platform);

} // namespace vellum::testing
