#include "engine/transcription_permissions.h"

#include <atomic>
#include <memory>

namespace brindlemoor {

void requestTranscriptionPermissions(SpeechRecognitionService& speech, AlertPresenter& alerts, SettingsOpener& settings,
                                     std::function<void(bool granted)> completion, MainQueue& mainQueue)
{
    // The platform may answer more than once; the caller hears only the first.
    auto answered = std::make_shared<std::atomic<bool>>(false);
    speech.requestAuthorization([&alerts, &settings, &mainQueue, completion = std::move(completion),
                                 answered](SpeechRecognizerAuthorizationStatus status) {
        if (answered->exchange(true))
            return;
        mainQueue.post([&alerts, &settings, completion, status] {
            const int value = static_cast<int>(status);
            bool granted = false;
            if (status == SpeechRecognizerAuthorizationStatus::authorized) {
                granted = true;
            } else if (value >= 0 && value < static_cast<int>(SpeechRecognizerAuthorizationStatus::authorized)) {
                if (alerts.runModal(makeSpeechAuthorizationAlert()) == kAlertSecondButtonReturn)
                    openSpeechRecognitionSettings(settings);
            }
            completion(granted);
        });
    });
}

Alert makeSpeechAuthorizationAlert()
{
    return Alert{"Speech Recognition Authorization",
                 "This application requires speech recognition access. Please enable it in System Preferences > "
                 "Security & Privacy > Privacy > Speech Recognition.",
                 AlertStyle::warning,
                 {"OK", "Open System Preferences"}};
}

void openSpeechRecognitionSettings(SettingsOpener& settings)
{
    settings.open(SettingsPane::speechRecognitionPrivacy);
}

void showMicrophoneAccessAlert(AlertPresenter& alerts, SettingsOpener& settings, MainQueue& mainQueue)
{
    mainQueue.post([&alerts, &settings] {
        Alert alert{"Microphone Access Required",
                    "Please grant Microphone permissions for the app to function properly. You can do this in System "
                    "Preferences under Security & Privacy.",
                    AlertStyle::warning,
                    {"Open System Preferences", "Cancel"}};
        if (alerts.runModal(alert) == kAlertFirstButtonReturn)
            settings.open(SettingsPane::microphonePrivacy);
    });
}

} // namespace brindlemoor
