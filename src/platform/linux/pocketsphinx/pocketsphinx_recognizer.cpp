#include "platform/linux/pocketsphinx/pocketsphinx_recognizer.h"

#include "platform/linux/pocketsphinx/pocketsphinx_recognition_task.h"
#include "platform/linux/pocketsphinx/recognition_workers.h"

namespace brindlemoor {

PocketSphinxRecognizer::PocketSphinxRecognizer(std::string localeIdentifier, std::shared_ptr<DecoderPool> pool,
                                               std::shared_ptr<RecognitionWorkers> workers)
    : localeIdentifier_(std::move(localeIdentifier)), pool_(std::move(pool)), workers_(std::move(workers))
{
}

std::shared_ptr<SpeechRecognitionTask>
PocketSphinxRecognizer::recognitionTask(std::shared_ptr<AudioBufferRecognitionRequest> request,
                                        RecognitionResultHandler handler)
{
    auto task = std::make_shared<PocketSphinxRecognitionTask>(pool_, std::move(handler),
                                                              request->shouldReportPartialResults, MainQueue::main());
    request->attach(task);
    workers_->start(task, [task] { task->runBuffers(); });
    return task;
}

std::shared_ptr<SpeechRecognitionTask>
PocketSphinxRecognizer::recognitionTask(std::shared_ptr<FileRecognitionRequest> request,
                                        RecognitionResultHandler handler)
{
    auto task = std::make_shared<PocketSphinxRecognitionTask>(pool_, std::move(handler),
                                                              request->shouldReportPartialResults, MainQueue::main());
    workers_->start(task, [task, path = request->url()] { task->runFile(path); });
    return task;
}

} // namespace brindlemoor
