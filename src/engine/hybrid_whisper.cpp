#include "engine/hybrid_whisper.h"

#include "platform/standard_output.h"

namespace brindlemoor {

HybridWhisper::HybridWhisper(std::unique_ptr<Whisper> whisper, RecognizerFactory makeRecognizer)
    : whisper_(std::move(whisper)), makeRecognizer_(std::move(makeRecognizer))
{
}

TranscriptionResult HybridWhisper::transcribe(const std::filesystem::path& url)
{
    auto heard = makeRecognizer_()->transcribe(url);
    if (std::holds_alternative<PlatformError>(heard))
        return heard;
    const auto& text = std::get<std::string>(heard);
    StandardOutput::printLine("");
    logger_.info("SFSpeechRecognizer: %s", text);
    if (text.empty())
        return std::string();
    return whisper_->transcribe(url);
}

} // namespace brindlemoor
