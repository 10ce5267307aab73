#pragma once

#include <string>

namespace brindlemoor {

// How one run of the local model decodes (always greedy sampling).
struct WhisperParameters {
    int threads = 1;
    int offsetMs = 0;
    bool translate = false;
    bool noContext = true;
    bool singleSegment = false;
    bool printSpecial = false;
    bool printProgress = false;
    bool printRealtime = true;
    bool printTimestamps = true;
    std::string initialPrompt;
    std::string language;

    bool operator==(const WhisperParameters&) const = default;
};

} // namespace brindlemoor
