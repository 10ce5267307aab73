#pragma once

#include "platform/whisper_parameters.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace brindlemoor {

// One loaded speech-to-text model of the local library; released when the object goes.
// Not safe for concurrent use: callers run one call at a time.
class WhisperEngine {
public:
    virtual ~WhisperEngine() = default;

    virtual void resetTimings() = 0;
    // Decodes 16 kHz mono samples in [-1, 1]; answers 0 on success.
    virtual int full(const WhisperParameters& parameters, const std::vector<float>& samples) = 0;
    virtual void printTimings() = 0;
    virtual int segmentCount() = 0;
    virtual std::string segmentText(int segment) = 0;

    // Opens a model file; none when it cannot be loaded (also when the build has no library).
    using Loader = std::function<std::unique_ptr<WhisperEngine>(const std::filesystem::path& model)>;
    static std::unique_ptr<WhisperEngine> load(const std::filesystem::path& model);
    // Whether this build can run a model at all.
    static bool available();
};

} // namespace brindlemoor
