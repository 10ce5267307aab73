#pragma once

#include "engine/transcribe_protocol.h"
#include "engine/whisper.h"
#include "platform/logger.h"

#include <functional>
#include <memory>

namespace brindlemoor {

// Runs the local model only on recordings in which the platform recogniser hears something;
// the answer is the model's text.
class HybridWhisper final : public TranscribeProtocol {
public:
    // Makes the platform recogniser, afresh for every call.
    using RecognizerFactory = std::function<std::unique_ptr<TranscribeProtocol>()>;

    HybridWhisper(std::unique_ptr<Whisper> whisper, RecognizerFactory makeRecognizer);

    TranscriptionResult transcribe(const std::filesystem::path& url) override;

private:
    std::unique_ptr<Whisper> whisper_;
    RecognizerFactory makeRecognizer_;
    Logger logger_ = Logger::forCategory("HybridWhisper");
};

} // namespace brindlemoor
