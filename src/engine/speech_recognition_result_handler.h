#pragma once

#include "engine/pass_continuation.h"
#include "engine/transcript_buffer_actor.h"
#include "platform/clock.h"
#include "platform/logger.h"
#include "platform/main_queue.h"
#include "platform/platform_error.h"
#include "platform/speech_recognition_result.h"
#include "platform/speech_recognition_task.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace brindlemoor {

// Turns the callbacks of a live recognition task into transcript updates, settles the pass
// and hands newly recognised text to the dictation manager.
class SpeechRecognitionResultHandler {
public:
    using OnResult = std::function<void(const std::string&)>;

    SpeechRecognitionResultHandler(std::shared_ptr<TranscriptBufferActor> transcriptBuffer, OnResult onResult,
                                   MainQueue& mainQueue = MainQueue::main(), Clock& clock = Clock::system());

    // One callback of the task: a result, an error, both or neither.
    void handleRecognition(const std::optional<SpeechRecognitionResult>& result, const std::optional<PlatformError>& error,
                           std::shared_ptr<PassContinuation>& continuation,
                           std::shared_ptr<SpeechRecognitionTask>& recognitionTask);

    // Settled when the recogniser says so or its first segment is more than 90% sure. Also
    // records the result's arrival in the buffer.
    bool isFinalResult(const SpeechRecognitionResult& result);

private:
    void handlePartialResult(const SpeechRecognitionResult& result);
    void handleResult(const SpeechRecognitionResult& result);
    void updateCurrentText(const SpeechRecognitionResult& result, bool final);
    void insertNewText();
    void logResult(const SpeechRecognitionResult& result) const;

    std::shared_ptr<TranscriptBufferActor> transcriptBuffer_;
    OnResult onResult_;
    MainQueue& mainQueue_;
    Clock& clock_;
    Logger logger_;
    // Tasks posted to the main queue run only while the handler still exists.
    std::shared_ptr<int> lifetime_ = std::make_shared<int>(0);
};

} // namespace brindlemoor
