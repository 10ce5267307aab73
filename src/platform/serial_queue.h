#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <type_traits>

namespace brindlemoor {

// A labelled queue that runs its blocks one at a time, in submission order, on a thread of
// its own. `sync` blocks the caller until its block has run; calling it from a block already
// running on the same queue would wait forever, so callers never do.
class SerialQueue {
public:
    using Task = std::function<void()>;

    explicit SerialQueue(std::string label);
    ~SerialQueue();

    SerialQueue(const SerialQueue&) = delete;
    SerialQueue& operator=(const SerialQueue&) = delete;

    const std::string& label() const { return label_; }

    void async(Task task);

    template <typename F>
    auto sync(F&& block) -> std::invoke_result_t<F&>
    {
        using Result = std::invoke_result_t<F&>;
        if constexpr (std::is_void_v<Result>) {
            runAndWait([&] { block(); });
        } else {
            std::optional<Result> result;
            runAndWait([&] { result.emplace(block()); });
            return std::move(*result);
        }
    }

private:
    void runAndWait(const Task& task);
    void startWorkerIfNeeded();
    void work();

    std::string label_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Task> tasks_;
    bool stopping_ = false;
    std::thread worker_;
};

} // namespace brindlemoor
