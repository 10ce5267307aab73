#include "platform/linux/pocketsphinx/recognition_workers.h"

#include "platform/linux/pocketsphinx/pocketsphinx_recognition_task.h"

#include <atomic>

namespace brindlemoor {

RecognitionWorkers::~RecognitionWorkers()
{
    std::list<Worker> workers;
    {
        std::lock_guard lock(mutex_);
        workers.swap(workers_);
    }
    for (auto& worker : workers)
        if (auto task = worker.task.lock())
            task->cancel();
    for (auto& worker : workers)
        worker.thread.join();
}

void RecognitionWorkers::start(const std::shared_ptr<PocketSphinxRecognitionTask>& task, std::function<void()> body)
{
    joinFinished();
    auto done = std::make_shared<bool>(false);
    std::lock_guard lock(mutex_);
    auto& worker = workers_.emplace_back();
    worker.done = done;
    worker.task = task;
    worker.thread = std::thread([body = std::move(body), done] {
        body();
        std::atomic_ref<bool>(*done).store(true);
    });
}

void RecognitionWorkers::joinFinished()
{
    std::list<Worker> finished;
    {
        std::lock_guard lock(mutex_);
        for (auto it = workers_.begin(); it != workers_.end();) {
            auto next = std::next(it);
            if (std::atomic_ref<bool>(*it->done).load())
                finished.splice(finished.end(), workers_, it);
            it = next;
        }
    }
    for (auto& worker : finished)
        worker.thread.join();
}

} // namespace brindlemoor
