#include "engine/whisper_context.h"

#include "engine/whisper_error.h"
#include "platform/standard_output.h"

#include <algorithm>
#include <climits>
#include <unistd.h>

namespace brindlemoor {

std::unique_ptr<WhisperContext> WhisperContext::createContext(const std::filesystem::path& path,
                                                              const WhisperEngine::Loader& loader,
                                                              ProcessorCount processorCount)
{
    auto context = loader(path);
    if (!context) {
        StandardOutput::printLine("Couldn't load model at " + path.string());
        throw WhisperError::couldNotInitializeContext();
    }
    return std::make_unique<WhisperContext>(std::move(context), std::move(processorCount));
}

WhisperContext::WhisperContext(std::unique_ptr<WhisperEngine> context, ProcessorCount processorCount)
    : context_(std::move(context)), processorCount_(std::move(processorCount))
{
}

int WhisperContext::threadCount(unsigned processors)
{
    return std::min(8, std::max(1, static_cast<int>(processors) - 2));
}

unsigned WhisperContext::totalProcessorCount()
{
    const long count = sysconf(_SC_NPROCESSORS_CONF);
    return count > 0 ? static_cast<unsigned>(count) : 1;
}

void WhisperContext::fullTranscribe(const std::vector<float>& samples, const std::string& language,
                                    const std::string& prompt)
{
    std::lock_guard lock(mutex_);
    const int threads = threadCount(processorCount_());
    StandardOutput::printLine("Selecting " + std::to_string(threads) + " threads");

    WhisperParameters parameters;
    parameters.threads = threads;
    parameters.offsetMs = 0;
    parameters.translate = false;
    parameters.noContext = true;
    parameters.singleSegment = false;
    parameters.printSpecial = false;
    parameters.printProgress = false;
    parameters.printRealtime = true;
    parameters.printTimestamps = true;
    parameters.initialPrompt = prompt;
    parameters.language = language;

    context_->resetTimings();
    StandardOutput::printLine("About to run whisper_full");
    const bool fits = samples.size() <= static_cast<std::size_t>(INT_MAX);
    if (!fits || context_->full(parameters, samples) != 0)
        StandardOutput::printLine("Failed to run the model");
    else
        context_->printTimings();
}

std::string WhisperContext::transcriptionText()
{
    std::lock_guard lock(mutex_);
    std::string text;
    const int segments = context_->segmentCount();
    for (int segment = 0; segment < segments; ++segment)
        text += context_->segmentText(segment);
    return text;
}

} // namespace brindlemoor
