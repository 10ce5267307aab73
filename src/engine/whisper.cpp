#include "engine/whisper.h"

#include "engine/current_language_code.h"
#include "platform/standard_output.h"

#include <regex>

namespace brindlemoor {

Whisper::Whisper(std::unique_ptr<WhisperState> whisperState, LanguageCode languageCode)
    : whisperState_(std::move(whisperState)), languageCode_(languageCode ? std::move(languageCode) : currentLanguageCode)
{
}

std::string Whisper::promptFor(const std::string& languageCode)
{
    return languageCode == "zh" ? "这是简体中文" : "";
}

std::string Whisper::removeAnnotations(std::string text)
{
    static const std::regex patterns[] = {std::regex(R"(\[.*?\])"), std::regex(R"(\*.*?\*)"),
                                          std::regex(R"(\(.*?\))")};
    for (const auto& pattern : patterns)
        text = std::regex_replace(text, pattern, "");
    return text;
}

TranscriptionResult Whisper::transcribe(const std::filesystem::path& url)
{
    const std::string language = languageCode_();
    StandardOutput::printLine("transcribe: lang = " + language);
    return removeAnnotations(whisperState_->transcribe(url, language, promptFor(language)));
}

} // namespace brindlemoor
