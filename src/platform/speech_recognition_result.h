#pragma once

#include <string>
#include <vector>

namespace brindlemoor {

// One recognised word or phrase of a transcription.
struct TranscriptionSegment {
    std::string substring;
    double timestamp = 0;  // seconds from the start of the request's audio
    double duration = 0;
    float confidence = 0;  // 0 while the result is partial
};

struct Transcription {
    std::string formattedString;
    std::vector<TranscriptionSegment> segments;
};

// A recogniser's answer for a request so far, or settled when `isFinal`.
struct SpeechRecognitionResult {
    bool isFinal = false;
    Transcription bestTranscription;
};

} // namespace brindlemoor
