#pragma once

#include <functional>
#include <future>
#include <glib.h>
#include <thread>
#include <type_traits>

namespace brindlemoor {

// The one thread that talks to the accessibility bus. The bus library is not thread-safe and
// keeps its copies of the applications' trees up to date from bus signals dispatched on a main
// context, so every call goes through this thread, which runs that context's loop between
// calls.
class AtspiThread {
public:
    AtspiThread();
    ~AtspiThread();

    AtspiThread(const AtspiThread&) = delete;
    AtspiThread& operator=(const AtspiThread&) = delete;

    // Whether the accessibility bus could be reached at start.
    bool connected() const { return connected_; }

    // Runs the block on the thread and answers its value; runs it at once on the thread itself.
    template <typename F>
    auto call(F&& block) -> std::invoke_result_t<F&>
    {
        if (std::this_thread::get_id() == worker_.get_id())
            return block();
        std::packaged_task<std::invoke_result_t<F&>()> task(std::forward<F>(block));
        auto result = task.get_future();
        post([&task] { task(); });
        return result.get();
    }

    // Runs the block on the thread later.
    void post(std::function<void()> block);

private:
    void run(std::promise<bool>& started);

    GMainContext* context_ = nullptr;
    GMainLoop* loop_ = nullptr;
    bool connected_ = false;
    std::thread worker_;
};

} // namespace brindlemoor
