#include "engine/speech_recognizer.h"

#include "engine/speech_authorization_alert.h"
#include "platform/main_queue.h"

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
    AlertPresenter* alerts = &services_.alerts;
    SettingsOpener* settings = &services_.settings;
    services_.speech.requestAuthorization([answer, alerts, settings](SpeechRecognizerAuthorizationStatus status) {
        MainQueue::main().post([answer, alerts, settings, status] {
            switch (status) {
            case SpeechRecognizerAuthorizationStatus::notDetermined:
            case SpeechRecognizerAuthorizationStatus::denied:
            case SpeechRecognizerAuthorizationStatus::restricted:
                if (alerts->runModal(makeSpeechAuthorizationAlert()) == kAlertSecondButtonReturn)
                    settings->open(SettingsPane::speechRecognitionPrivacy);
                answer->set_value(false);
                return;
            case SpeechRecognizerAuthorizationStatus::authorized:
                answer->set_value(true);
                return;
            }
            answer->set_value(false);
        });
    });
    return answered.get();
}

TranscriptionResult SpeechRecognizer::transcribe(const std::filesystem::path& url)
{
    if (!requestTranscriptionPermissions()) {
        return PlatformError{kSpeechRecognitionPermissionErrorDomain,
                             static_cast<int>(SpeechRecognitionPermissionErrorCode::authorizationDenied),
                             "Speech recognition is not allowed for this application."};
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
