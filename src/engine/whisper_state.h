#pragma once

#include "engine/recorder.h"
#include "engine/whisper_context.h"
#include "platform/platform_error.h"
#include "platform/published.h"
#include "platform/whisper_engine.h"

#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

namespace brindlemoor {

// The local model as a user interface sees it: loaded or not, a log of what happened, and one
// transcription at a time.
class WhisperState {
public:
    // Loads the model at `modelUrl` (none: the model file was not found).
    explicit WhisperState(std::optional<std::filesystem::path> modelUrl = defaultModelUrl(),
                          WhisperEngine::Loader loader = WhisperEngine::load,
                          WhisperContext::ProcessorCount processorCount = WhisperContext::totalProcessorCount);

    Published<bool> isModelLoaded{false};
    Published<std::string> messageLog{std::string()};
    Published<bool> canTranscribe{false};
    Published<bool> isRecording{false};

    // Throws WhisperError when the file is there but does not load.
    void loadModel();
    // "" when busy, without a model, or when the recording cannot be read.
    std::string transcribe(const std::filesystem::path& url, const std::string& language, const std::string& prompt);

    // The recorder's reports.
    void audioRecorderEncodeErrorDidOccur(const std::optional<PlatformError>& error);
    void audioRecorderDidFinishRecording(bool successfully);

    // "ggml-small.bin" in the application's data directory: $XDG_DATA_HOME/brindlemoor
    // (~/.local/share/brindlemoor) first, then brindlemoor/ under each of $XDG_DATA_DIRS
    // (/usr/local/share, /usr/share).
    static std::optional<std::filesystem::path> defaultModelUrl();
    static constexpr const char* kModelFileName = "ggml-small.bin";

private:
    void appendToLog(const std::string& line);

    std::optional<std::filesystem::path> modelUrl_;
    WhisperEngine::Loader loader_;
    WhisperContext::ProcessorCount processorCount_;
    std::unique_ptr<WhisperContext> whisperContext_;
    Recorder recorder_;
    std::mutex gateMutex_;
    std::mutex logMutex_;
};

} // namespace brindlemoor
