#include "JobPipeline.h"

#include <algorithm>

namespace vellum::sg {

JobPipeline::JobPipeline(std::size_t capacity)
    : m_capacity(std::max<std::size_t>(1, capacity)), m_thread([this] { run(); })
{}

JobPipeline::~JobPipeline()
{
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_jobs.empty() && !m_busy; });
        m_stopping = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

void JobPipeline::submit(std::function<void()> job)
{
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_failure || m_jobs.size() < m_capacity; });
        rethrowFailure();
        m_jobs.push_back(std::move(job));
    }
    m_changed.notify_all();
}

void JobPipeline::wait()
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_jobs.empty() && !m_busy; });
    rethrowFailure();
}

void JobPipeline::rethrowFailure() const
{
    if (m_failure)
        std::rethrow_exception(m_failure);
}

void JobPipeline::run()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_stopping || !m_jobs.empty(); });
        if (m_jobs.empty())
            return;
        std::function<void()> job = std::move(m_jobs.front());
        m_jobs.pop_front();
        m_busy = true;
        lock.unlock();
        std::exception_ptr failure;
        try {
            job();
        } catch (...) {
            failure = std::current_exception();
        }
        lock.lock();
        m_busy = false;
        if (failure && !m_failure) {
            m_failure = failure;
            m_jobs.clear();
        }
        m_changed.notify_all();
    }
}

} // namespace vellum::sg
