#include "platform/whisper_engine.h"

#include <whisper.h>

namespace brindlemoor {
namespace {

class WhisperCppEngine final : public WhisperEngine {
public:
    explicit WhisperCppEngine(whisper_context* context) : context_(context) {}
    ~WhisperCppEngine() override { whisper_free(context_); }

    WhisperCppEngine(const WhisperCppEngine&) = delete;
    WhisperCppEngine& operator=(const WhisperCppEngine&) = delete;

    void resetTimings() override { whisper_reset_timings(context_); }

    int full(const WhisperParameters& parameters, const std::vector<float>& samples) override
    {
        whisper_full_params params = whisper_full_default_params(WHISPER_SAMPLING_GREEDY);
        params.n_threads = parameters.threads;
        params.offset_ms = parameters.offsetMs;
        params.translate = parameters.translate;
        params.no_context = parameters.noContext;
        params.single_segment = parameters.singleSegment;
        params.print_special = parameters.printSpecial;
        params.print_progress = parameters.printProgress;
        params.print_realtime = parameters.printRealtime;
        params.print_timestamps = parameters.printTimestamps;
        // Both strings live in `parameters` for the whole call.
        params.initial_prompt = parameters.initialPrompt.c_str();
        params.language = parameters.language.c_str();
        return whisper_full(context_, params, samples.data(), static_cast<int>(samples.size()));
    }

    void printTimings() override { whisper_print_timings(context_); }
    int segmentCount() override { return whisper_full_n_segments(context_); }
    std::string segmentText(int segment) override
    {
        const char* text = whisper_full_get_segment_text(context_, segment);
        return text ? text : "";
    }

private:
    whisper_context* context_;
};

} // namespace

std::unique_ptr<WhisperEngine> WhisperEngine::load(const std::filesystem::path& model)
{
    whisper_context_params params = whisper_context_default_params();
    whisper_context* context = whisper_init_from_file_with_params(model.c_str(), params);
    if (context == nullptr)
        return nullptr;
    return std::make_unique<WhisperCppEngine>(context);
}

bool WhisperEngine::available()
{
    return true;
}

} // namespace brindlemoor
