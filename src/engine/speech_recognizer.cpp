#include "engine/speech_recognizer.h"

#include "engine/speech_recognition_permission_error.h"
#include "engine/transcription_permissions.h"

#include <future>
#include <memory>
#include <mutex>

namespace brindlemoor {
namespace {

// Resumes the waiting call once; later outcomes are dropped.
class FirstOutcome {
public:
    void resume(TranscriptionResult outcome)
    {
        std::lock_guard lock(mutex_);
        if (resumed_)
            return;
        resumed_ = true;
        promise_.set_value(std::move(outcome));
    }
    std::future<TranscriptionResult> future() { return promise_.get_future(); }

private:
    std::mutex mutex_;
    bool resumed_ = false;
    std::promise<TranscriptionResult> promise_;
};

} // namespace

SpeechRecognizer::SpeechRecognizer(Services services) : services_(std::move(services)) {}

bool SpeechRecognizer::requestTranscriptionPermissions()
{
    auto answer = std::make_shared<std::promise<bool>>();
    auto answered = answer->get_future();
    brindlemoor::requestTranscriptionPermissions(services_.speech, services_.alerts, services_.settings,
                                                 [answer](bool granted) { answer->set_value(granted); });
    return answered.get();
}

TranscriptionResult SpeechRecognizer::transcribe(const std::filesystem::path& url)
{
    if (!requestTranscriptionPermissions()) {
        const auto denied = SpeechRecognitionPermissionError::authorizationDenied;
        return PlatformError{kSpeechRecognitionPermissionErrorDomain, static_cast<int>(denied),
                             localizedDescription(denied)};
    }
    const std::string locale = services_.currentLanguage ? services_.currentLanguage().value_or("en-US") : "en-US";
    auto recognizer = services_.speech.recognizer(locale);
    if (!recognizer) {
        return PlatformError{kSpeechRecognitionErrorDomain, static_cast<int>(SpeechRecognitionErrorCode::noRecognizer),
                             "No speech recogniser is available for the language " + locale + "."};
    }

    auto outcome = std::make_shared<FirstOutcome>();
    auto answered = outcome->future();
    auto request = std::make_shared<FileRecognitionRequest>(url);
    // Held until the answer is in, so the recognition is not dropped half-way.
    auto task = recognizer->recognitionTask(
        request, [outcome](const std::optional<SpeechRecognitionResult>& result, const std::optional<PlatformError>& error) {
            if (error)
                outcome->resume(*error);
            else if (result && result->isFinal)
                outcome->resume(result->bestTranscription.formattedString);
        });
    return answered.get();
}

} // namespace brindlemoor
