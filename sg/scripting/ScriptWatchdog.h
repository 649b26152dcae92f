#pragma once

#include <chrono>
#include <memory>

class QJSEngine;

namespace vellum::sg {

// Interrupts a script engine that runs longer than a bound. Armed for the lifetime of the
// object; leaves the engine usable again when it goes out of scope. One thread, started on
// first use, watches every armed watchdog: arming costs a list entry, not a thread.
class ScriptWatchdog
{
public:
    ScriptWatchdog(QJSEngine& engine, std::chrono::milliseconds bound);
    ~ScriptWatchdog();
    ScriptWatchdog(const ScriptWatchdog&) = delete;
    ScriptWatchdog& operator=(const ScriptWatchdog&) = delete;

    bool fired() const;

    struct Watch;

private:
    std::unique_ptr<Watch> m_watch;
};

} // namespace vellum::sg
