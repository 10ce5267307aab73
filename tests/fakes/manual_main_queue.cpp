#include "fakes/manual_main_queue.h"

namespace brindlemoor::fakes {

ManualMainQueue::ManualMainQueue()
{
    MainQueue::install(this);
}

ManualMainQueue::~ManualMainQueue()
{
    MainQueue::install(nullptr);
}

void ManualMainQueue::post(Task task)
{
    postAfter(std::chrono::nanoseconds(0), std::move(task));
}

void ManualMainQueue::postAfter(std::chrono::nanoseconds delay, Task task)
{
    std::lock_guard lock(mutex_);
    tasks_.emplace(std::make_pair(clock_.now() + delay, sequence_++), std::move(task));
}

bool ManualMainQueue::runNextDue()
{
    Task task;
    {
        std::lock_guard lock(mutex_);
        if (tasks_.empty() || tasks_.begin()->first.first > clock_.now())
            return false;
        task = std::move(tasks_.begin()->second);
        tasks_.erase(tasks_.begin());
    }
    task();
    return true;
}

std::size_t ManualMainQueue::runUntilIdle()
{
    std::size_t count = 0;
    while (runNextDue())
        ++count;
    return count;
}

void ManualMainQueue::advance(std::chrono::nanoseconds by)
{
    const Clock::MonotonicTime end = clock_.now() + by;
    for (;;) {
        runUntilIdle();
        Clock::MonotonicTime due;
        {
            std::lock_guard lock(mutex_);
            if (tasks_.empty() || tasks_.begin()->first.first > end)
                break;
            due = tasks_.begin()->first.first;
        }
        clock_.advance(due - clock_.now());
    }
    clock_.advance(end - clock_.now());
    runUntilIdle();
}

std::size_t ManualMainQueue::pendingCount() const
{
    std::lock_guard lock(mutex_);
    return tasks_.size();
}

} // namespace brindlemoor::fakes
