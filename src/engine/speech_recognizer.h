#pragma once

#include "engine/transcribe_protocol.h"
#include "platform/alert_presenter.h"
#include "platform/settings_opener.h"
#include "platform/speech_recognition_service.h"

#include <functional>
#include <optional>
#include <string>

namespace brindlemoor {

// The domain of the errors that carry a SpeechRecognitionPermissionError as their code.
inline constexpr const char* kSpeechRecognitionPermissionErrorDomain = "SpeechRecognitionPermissionError";

// Transcribes a recording with the platform's speech recogniser in the keyboard's language
// ("en-US" when the keyboard names none). The first outcome of the recognition wins.
class SpeechRecognizer final : public TranscribeProtocol {
public:
    struct Services {
        SpeechRecognitionService& speech;
        AlertPresenter& alerts;
        SettingsOpener& settings;
        // The keyboard input source's language, when it has one.
        std::function<std::optional<std::string>()> currentLanguage;
    };

    explicit SpeechRecognizer(Services services);

    // Fails with a "SpeechRecognitionPermissionError" when recognition is not allowed, and with
    // the speech service's noRecognizer error when no recogniser exists for the language.
    TranscriptionResult transcribe(const std::filesystem::path& url) override;

    // Asks the platform every time; a refusal shows the speech alert. Blocks until answered,
    // so never call it on the main thread.
    bool requestTranscriptionPermissions();

private:
    Services services_;
};

} // namespace brindlemoor
