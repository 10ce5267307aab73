#pragma once

#include "platform/whisper_engine.h"

#include <memory>
#include <string>
#include <vector>

namespace brindlemoor::testing {

// What the loaded models were asked to do, shared by every model the loader hands out.
struct WhisperEngineLog {
    int loads = 0;
    int runs = 0;
    int timingResets = 0;
    int timingPrints = 0;
    WhisperParameters lastParameters;
    std::vector<float> lastSamples;
    int fullResult = 0;
    std::vector<std::string> segments;
};

class RecordingWhisperEngine final : public WhisperEngine {
public:
    explicit RecordingWhisperEngine(WhisperEngineLog& log) : log_(log) {}

    void resetTimings() override { ++log_.timingResets; }
    int full(const WhisperParameters& parameters, const std::vector<float>& samples) override
    {
        ++log_.runs;
        log_.lastParameters = parameters;
        log_.lastSamples = samples;
        return log_.fullResult;
    }
    void printTimings() override { ++log_.timingPrints; }
    int segmentCount() override { return static_cast<int>(log_.segments.size()); }
    std::string segmentText(int segment) override { return log_.segments.at(static_cast<std::size_t>(segment)); }

    // A loader whose models record into `log`; `loads` says whether loading succeeds.
    static WhisperEngine::Loader loader(WhisperEngineLog& log, bool loads = true)
    {
        return [&log, loads](const std::filesystem::path&) -> std::unique_ptr<WhisperEngine> {
            ++log.loads;
            if (!loads)
                return nullptr;
            return std::make_unique<RecordingWhisperEngine>(log);
        };
    }

private:
    WhisperEngineLog& log_;
};

} // namespace brindlemoor::testing
