#include "ScriptWatchdog.h"

#include <QJSEngine>
#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace vellum::sg {

using Clock = std::chrono::steady_clock;

struct ScriptWatchdog::Watch
{
    QJSEngine& engine;
    Clock::time_point deadline;
    bool fired = false;
};

namespace {

class Watcher
{
public:
    static Watcher& instance()
    {
        static Watcher watcher;
        return watcher;
    }

    void add(ScriptWatchdog::Watch& watch)
    {
        {
            std::lock_guard lock(m_mutex);
            m_watches.push_back(&watch);
        }
        m_changed.notify_one();
    }

    // Once this returns, the watch is not touched again.
    void remove(const ScriptWatchdog::Watch& watch)
    {
        std::lock_guard lock(m_mutex);
        std::erase(m_watches, &watch);
    }

    bool fired(const ScriptWatchdog::Watch& watch) const
    {
        std::lock_guard lock(m_mutex);
        return watch.fired;
    }

private:
    Watcher() : m_thread([this] { run(); }) {}

    ~Watcher()
    {
        {
            std::lock_guard lock(m_mutex);
            m_stopping = true;
        }
        m_changed.notify_one();
        m_thread.join();
    }

    void run()
    {
        std::unique_lock lock(m_mutex);
        while (!m_stopping) {
            Clock::time_point next = Clock::time_point::max();
            for (ScriptWatchdog::Watch* watch : m_watches) {
                if (watch->fired)
                    continue;
                if (watch->deadline <= Clock::now()) {
                    watch->fired = true;
                    // setInterrupted is the one QJSEngine call that is safe from another thread.
                    watch->engine.setInterrupted(true);
                } else {
                    next = std::min(next, watch->deadline);
                }
            }
            if (next == Clock::time_point::max())
                m_changed.wait(lock);
            else
                m_changed.wait_until(lock, next);
        }
    }

    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<ScriptWatchdog::Watch*> m_watches;
    bool m_stopping = false;
    std::thread m_thread;
};

} // namespace

ScriptWatchdog::ScriptWatchdog(QJSEngine& engine, std::chrono::milliseconds bound)
    : m_watch(std::make_unique<Watch>(Watch{engine, Clock::now() + bound}))
{
    Watcher::instance().add(*m_watch);
}

ScriptWatchdog::~ScriptWatchdog()
{
    Watcher::instance().remove(*m_watch);
    if (m_watch->fired)
        m_watch->engine.setInterrupted(false);
}

bool ScriptWatchdog::fired() const
{
    return Watcher::instance().fired(*m_watch);
}

} // namespace vellum::sg
