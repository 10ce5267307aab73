#include "platform/concurrent_queue.h"

#include <pthread.h>

namespace brindlemoor {

ConcurrentQueue::ConcurrentQueue(std::string label) : label_(std::move(label)) {}

// Barriers already submitted still run, so a write handed over asynchronously is not lost.
ConcurrentQueue::~ConcurrentQueue()
{
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    if (worker_.joinable())
        worker_.join();
}

void ConcurrentQueue::asyncBarrier(Task task)
{
    {
        std::lock_guard lock(mutex_);
        startWorkerIfNeeded();
        barriers_.push_back(std::move(task));
        ++submittedCount_;
    }
    wake_.notify_all();
}

void ConcurrentQueue::syncBarrier(const Task& task)
{
    std::uint64_t ticket = 0;
    {
        std::lock_guard lock(mutex_);
        startWorkerIfNeeded();
        barriers_.push_back(task);
        ticket = ++submittedCount_;
    }
    wake_.notify_all();
    std::unique_lock lock(mutex_);
    finished_.wait(lock, [&] { return finishedCount_ >= ticket; });
}

void ConcurrentQueue::waitForBarriersSubmittedSoFar()
{
    std::unique_lock lock(mutex_);
    const std::uint64_t ticket = submittedCount_;
    finished_.wait(lock, [&] { return finishedCount_ >= ticket; });
}

// The thread starts with the first barrier, so a queue that is only read costs no thread.
void ConcurrentQueue::startWorkerIfNeeded()
{
    if (!worker_.joinable())
        worker_ = std::thread([this] { work(); });
}

void ConcurrentQueue::work()
{
    pthread_setname_np(pthread_self(), label_.substr(label_.size() > 15 ? label_.size() - 15 : 0).c_str());
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || !barriers_.empty(); });
        if (barriers_.empty())
            return;
        Task task = std::move(barriers_.front());
        barriers_.pop_front();
        lock.unlock();
        {
            std::unique_lock exclusive(access_);
            task();
        }
        lock.lock();
        ++finishedCount_;
        finished_.notify_all();
    }
}

} // namespace brindlemoor
