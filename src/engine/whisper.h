#pragma once

#include "engine/transcribe_protocol.h"
#include "engine/whisper_state.h"

#include <functional>
#include <memory>
#include <string>

namespace brindlemoor {

// Transcribes with the local model in the current language, without the model's bracketed
// and starred remarks.
class Whisper final : public TranscribeProtocol {
public:
    using LanguageCode = std::function<std::string()>;

    explicit Whisper(std::unique_ptr<WhisperState> whisperState = std::make_unique<WhisperState>(),
                     LanguageCode languageCode = nullptr);

    // Never fails.
    TranscriptionResult transcribe(const std::filesystem::path& url) override;

    // The prompt that keeps Chinese in simplified characters.
    static std::string promptFor(const std::string& languageCode);
    // Removes "[…]", then "*…*", then "(…)", each shortest match first; no trimming.
    static std::string removeAnnotations(std::string text);

    WhisperState& whisperState() { return *whisperState_; }

private:
    std::unique_ptr<WhisperState> whisperState_;
    LanguageCode languageCode_;
};

} // namespace brindlemoor
