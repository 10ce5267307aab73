#include "thread_main_queue.h"

namespace brindlemoor::testing {

ThreadMainQueue::ThreadMainQueue() : thread_([this] { run(); })
{
    MainQueue::install(this);
}

ThreadMainQueue::~ThreadMainQueue()
{
    MainQueue::install(nullptr);
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void ThreadMainQueue::post(Task task)
{
    postAfter(std::chrono::nanoseconds(0), std::move(task));
}

void ThreadMainQueue::postAfter(std::chrono::nanoseconds delay, Task task)
{
    {
        std::lock_guard lock(mutex_);
        tasks_.emplace(std::make_pair(Clock::system().now() + delay, sequence_++), std::move(task));
    }
    changed_.notify_all();
}

void ThreadMainQueue::run()
{
    std::unique_lock lock(mutex_);
    while (!stopping_) {
        if (tasks_.empty()) {
            changed_.wait(lock);
            continue;
        }
        const auto due = tasks_.begin()->first.first;
        if (due > Clock::system().now()) {
            changed_.wait_until(lock, due);
            continue;
        }
        Task task = std::move(tasks_.begin()->second);
        tasks_.erase(tasks_.begin());
        lock.unlock();
        task();
        lock.lock();
    }
}

} // namespace brindlemoor::testing
