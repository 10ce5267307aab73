#include "platform/serial_queue.h"

#include <pthread.h>

namespace brindlemoor {

SerialQueue::SerialQueue(std::string label) : label_(std::move(label)) {}

SerialQueue::~SerialQueue()
{
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    if (worker_.joinable())
        worker_.join();
}

void SerialQueue::async(Task task)
{
    {
        std::lock_guard lock(mutex_);
        startWorkerIfNeeded();
        tasks_.push_back(std::move(task));
    }
    wake_.notify_all();
}

void SerialQueue::runAndWait(const Task& task)
{
    std::mutex doneMutex;
    std::condition_variable doneSignal;
    bool done = false;
    async([&] {
        task();
        std::lock_guard lock(doneMutex);
        done = true;
        doneSignal.notify_all();
    });
    std::unique_lock lock(doneMutex);
    doneSignal.wait(lock, [&] { return done; });
}

// The thread starts with the first block, so a queue that is only declared costs nothing.
void SerialQueue::startWorkerIfNeeded()
{
    if (!worker_.joinable())
        worker_ = std::thread([this] { work(); });
}

void SerialQueue::work()
{
    pthread_setname_np(pthread_self(), label_.substr(label_.size() > 15 ? label_.size() - 15 : 0).c_str());
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || !tasks_.empty(); });
        if (tasks_.empty())
            return;
        Task task = std::move(tasks_.front());
        tasks_.pop_front();
        lock.unlock();
        task();
        lock.lock();
    }
}

} // namespace brindlemoor
