#pragma once

#include "platform/clock.h"
#include "platform/main_queue.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <utility>

namespace brindlemoor::fakes {

// A main queue on real time for integration tests and benchmarks: tasks run on the thread that
// calls `runUntil`, when they are due. Installs itself as the process's main queue while it lives.
class RealTimeMainQueue final : public MainQueue {
public:
    RealTimeMainQueue() { MainQueue::install(this); }
    ~RealTimeMainQueue() override { MainQueue::install(nullptr); }

    void post(Task task) override { postAfter(std::chrono::nanoseconds(0), std::move(task)); }

    void postAfter(std::chrono::nanoseconds delay, Task task) override
    {
        std::lock_guard lock(mutex_);
        tasks_.emplace(std::make_pair(Clock::system().now() + delay, sequence_++), std::move(task));
        wake_.notify_all();
    }

    Clock& clock() override { return Clock::system(); }

    // Runs tasks until `done` holds (checked after every task) or the time is up; answers `done()`.
    bool runUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout)
    {
        const auto end = Clock::system().now() + timeout;
        while (!done()) {
            Task task;
            {
                std::unique_lock lock(mutex_);
                for (;;) {
                    const auto now = Clock::system().now();
                    if (now >= end)
                        return done();
                    if (!tasks_.empty() && tasks_.begin()->first.first <= now)
                        break;
                    const auto until = tasks_.empty() ? end : std::min(end, tasks_.begin()->first.first);
                    wake_.wait_until(lock, until);
                }
                task = std::move(tasks_.begin()->second);
                tasks_.erase(tasks_.begin());
            }
            task();
        }
        return true;
    }

    void runFor(std::chrono::milliseconds duration)
    {
        runUntil([] { return false; }, duration);
    }

private:
    std::mutex mutex_;
    std::condition_variable wake_;
    std::multimap<std::pair<Clock::MonotonicTime, std::uint64_t>, Task> tasks_;
    std::uint64_t sequence_ = 0;
};

} // namespace brindlemoor::fakes
