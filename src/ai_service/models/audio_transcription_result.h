#pragma once

#include "ai_service/models/json_coding.h"

#include <string>

namespace brindlemoor {

// The text the service made of the audio.
struct AudioTranscriptionResult {
    std::string text{};

    void encode(KeyedEncoder& encoder) const;
    static AudioTranscriptionResult decode(const KeyedDecoder& decoder);

    bool operator==(const AudioTranscriptionResult&) const = default;
};

} // namespace brindlemoor
