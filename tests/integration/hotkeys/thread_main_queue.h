#pragma once

#include "platform/clock.h"
#include "platform/main_queue.h"

#include <condition_variable>
#include <cstdint>
#include <future>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>

namespace brindlemoor::testing {

// A main queue on a real thread of its own, for tests and benchmarks that run the X11 layer
// without an application event loop. Installs itself while it lives.
class ThreadMainQueue final : public MainQueue {
public:
    ThreadMainQueue();
    ~ThreadMainQueue() override;

    void post(Task task) override;
    void postAfter(std::chrono::nanoseconds delay, Task task) override;
    Clock& clock() override { return Clock::system(); }

    std::thread::id threadId() const { return thread_.get_id(); }

    // Runs `work` on the queue's thread and answers its result.
    template <typename Work>
    auto sync(Work work) -> decltype(work())
    {
        auto task = std::make_shared<std::packaged_task<decltype(work())()>>(std::move(work));
        auto result = task->get_future();
        post([task] { (*task)(); });
        return result.get();
    }

private:
    void run();

    std::mutex mutex_;
    std::condition_variable changed_;
    std::multimap<std::pair<Clock::MonotonicTime, std::uint64_t>, Task> tasks_;
    std::uint64_t sequence_ = 0;
    bool stopping_ = false;
    std::thread thread_;
};

} // namespace brindlemoor::testing
