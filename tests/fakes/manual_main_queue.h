#pragma once

#include "fakes/manual_clock.h"
#include "platform/main_queue.h"

#include <cstdint>
#include <map>
#include <mutex>
#include <utility>

namespace brindlemoor::fakes {

// A main queue whose tasks run only when the test says so, on the test's thread, with its own
// virtual clock. Installs itself as the process's main queue while it lives.
class ManualMainQueue final : public MainQueue {
public:
    ManualMainQueue();
    ~ManualMainQueue() override;

    void post(Task task) override;
    void postAfter(std::chrono::nanoseconds delay, Task task) override;
    Clock& clock() override { return clock_; }
    ManualClock& manualClock() { return clock_; }

    // Runs every task that is due now, including those they post; answers how many ran.
    std::size_t runUntilIdle();
    // Moves time forward, running each task when its time comes.
    void advance(std::chrono::nanoseconds by);
    // Tasks waiting, due or not.
    std::size_t pendingCount() const;

private:
    bool runNextDue();

    ManualClock clock_;
    mutable std::mutex mutex_;
    // Ordered by due time, then by posting order.
    std::multimap<std::pair<Clock::MonotonicTime, std::uint64_t>, Task> tasks_;
    std::uint64_t sequence_ = 0;
};

} // namespace brindlemoor::fakes
