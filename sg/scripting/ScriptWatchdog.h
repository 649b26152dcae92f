#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

class QJSEngine;

namespace vellum::sg {

// Interrupts a script engine that runs longer than a bound. Armed for the lifetime of the
// object; leaves the engine usable again when it goes out of scope.
class ScriptWatchdog
{
public:
    ScriptWatchdog(QJSEngine& engine, std::chrono::milliseconds bound);
    ~ScriptWatchdog();
    ScriptWatchdog(const ScriptWatchdog&) = delete;
    ScriptWatchdog& operator=(const ScriptWatchdog&) = delete;

    bool fired() const;

private:
    void watch(std::chrono::milliseconds bound);

    QJSEngine& m_engine;
    mutable std::mutex m_mutex;
    std::condition_variable m_cancelled;
    bool m_done = false;
    bool m_fired = false;
    std::thread m_thread;
};

} // namespace vellum::sg
