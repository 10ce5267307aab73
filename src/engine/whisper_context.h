#pragma once

#include "platform/whisper_engine.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace brindlemoor {

// A loaded model; one call at a time runs on it.
class WhisperContext {
public:
    using ProcessorCount = std::function<unsigned()>;

    // Throws WhisperError::couldNotInitializeContext when the model does not load.
    static std::unique_ptr<WhisperContext> createContext(const std::filesystem::path& path,
                                                         const WhisperEngine::Loader& loader = WhisperEngine::load,
                                                         ProcessorCount processorCount = totalProcessorCount);

    WhisperContext(std::unique_ptr<WhisperEngine> context, ProcessorCount processorCount);

    // Decodes 16 kHz mono samples; a failed run is printed, not thrown.
    void fullTranscribe(const std::vector<float>& samples, const std::string& language, const std::string& prompt);
    // The texts of all segments of the last run, joined without separator.
    std::string transcriptionText();

    // Two processors stay free for the rest of the desktop; never fewer than 1 nor more than 8.
    static int threadCount(unsigned processors);
    static unsigned totalProcessorCount();

private:
    std::mutex mutex_;
    std::unique_ptr<WhisperEngine> context_;
    ProcessorCount processorCount_;
};

} // namespace brindlemoor
