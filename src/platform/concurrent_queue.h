#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <shared_mutex>
#include <string>
#include <thread>
#include <type_traits>

namespace brindlemoor {

// A labelled queue whose plain `sync` blocks may run side by side, while barrier blocks run
// alone: a barrier starts once everything submitted before it has finished, and nothing
// starts while it runs. Barrier blocks run in submission order on the queue's own thread;
// plain `sync` blocks run on the caller's thread after the barriers submitted before them.
// Calling `syncBarrier` from a block of the same queue would wait forever, so callers never do.
class ConcurrentQueue {
public:
    using Task = std::function<void()>;

    explicit ConcurrentQueue(std::string label);
    ~ConcurrentQueue();

    ConcurrentQueue(const ConcurrentQueue&) = delete;
    ConcurrentQueue& operator=(const ConcurrentQueue&) = delete;

    const std::string& label() const { return label_; }

    // Returns at once; the block runs later, alone.
    void asyncBarrier(Task task);

    // Returns when the block has run, alone.
    void syncBarrier(const Task& task);

    // Runs the block on the caller's thread, beside other plain blocks but never beside a barrier.
    template <typename F>
    auto sync(F&& block) -> std::invoke_result_t<F&>
    {
        waitForBarriersSubmittedSoFar();
        std::shared_lock lock(access_);
        return block();
    }

private:
    void waitForBarriersSubmittedSoFar();
    void startWorkerIfNeeded();
    void work();

    std::string label_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable finished_;
    std::deque<Task> barriers_;
    std::uint64_t submittedCount_ = 0;
    std::uint64_t finishedCount_ = 0;
    bool stopping_ = false;
    std::shared_mutex access_;
    std::thread worker_;
};

} // namespace brindlemoor
