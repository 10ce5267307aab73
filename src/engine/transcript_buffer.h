#pragma once

#include "platform/clock.h"
#include "platform/speech_recognition_result.h"

#include <optional>
#include <string>

namespace brindlemoor {

// The transcript of the current recognition pass.
struct TranscriptBuffer {
    // Text committed earlier in the pass.
    std::string previous;
    // The assembled text of the pass so far.
    std::string current;
    SpeechRecognitionResult lastResult;
    // When the latest result arrived; empty stands for the distant past.
    std::optional<Clock::MonotonicTime> startTime;
};

} // namespace brindlemoor
