#pragma once

#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <thread>

namespace brindlemoor {

class PocketSphinxRecognitionTask;

// The worker threads of running recognitions. Finished ones are joined when the next starts;
// at the end all are cancelled and joined, so no thread outlives the service.
class RecognitionWorkers {
public:
    RecognitionWorkers() = default;
    ~RecognitionWorkers();

    RecognitionWorkers(const RecognitionWorkers&) = delete;
    RecognitionWorkers& operator=(const RecognitionWorkers&) = delete;

    // `task`, when given, is cancelled if the service goes first.
    void start(const std::shared_ptr<PocketSphinxRecognitionTask>& task, std::function<void()> body);

private:
    struct Worker {
        std::thread thread;
        std::shared_ptr<bool> done;
        std::weak_ptr<PocketSphinxRecognitionTask> task;
    };

    void joinFinished();

    std::mutex mutex_;
    std::list<Worker> workers_;
};

} // namespace brindlemoor
