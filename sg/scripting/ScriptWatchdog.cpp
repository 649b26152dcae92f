#include "ScriptWatchdog.h"

#include <QJSEngine>

namespace vellum::sg {

ScriptWatchdog::ScriptWatchdog(QJSEngine& engine, std::chrono::milliseconds bound)
    : m_engine(engine), m_thread([this, bound] { watch(bound); })
{}

ScriptWatchdog::~ScriptWatchdog()
{
    {
        std::lock_guard lock(m_mutex);
        m_done = true;
    }
    m_cancelled.notify_one();
    m_thread.join();
    if (m_fired)
        m_engine.setInterrupted(false);
}

bool ScriptWatchdog::fired() const
{
    std::lock_guard lock(m_mutex);
    return m_fired;
}

void ScriptWatchdog::watch(std::chrono::milliseconds bound)
{
    std::unique_lock lock(m_mutex);
    if (m_cancelled.wait_for(lock, bound, [this] { return m_done; }))
        return;
    m_fired = true;
    // setInterrupted is the one QJSEngine call that is safe from another thread.
    m_engine.setInterrupted(true);
}

} // namespace vellum::sg
