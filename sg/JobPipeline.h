#pragma once

#include "VellumSGExport.h"

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

namespace vellum::sg {

// Runs jobs one after another on a thread of its own, in the order they were given, so that the
// giver goes on with its next piece of work meanwhile. At most `capacity` jobs wait: giving one
// more blocks until a job is done. The first job that throws drops the jobs behind it, and its
// error is thrown to whoever gives a job or waits afterwards.
class VELLUMSG_EXPORT JobPipeline
{
public:
    explicit JobPipeline(std::size_t capacity);
    // Lets the jobs given run to their end; an error left unclaimed is dropped.
    ~JobPipeline();
    JobPipeline(const JobPipeline&) = delete;
    JobPipeline& operator=(const JobPipeline&) = delete;

    void submit(std::function<void()> job);
    // Returns when every job given is done.
    void wait();

private:
    void run();
    void rethrowFailure() const;

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<std::function<void()>> m_jobs;
    std::size_t m_capacity;
    bool m_busy = false;
    bool m_stopping = false;
    std::exception_ptr m_failure;
    std::thread m_thread;
};

} // namespace vellum::sg
