#pragma once

#include "ai_service/models/json_coding.h"

#include <string>

namespace brindlemoor {

// The text the service made of the audio.
struct AudioTranslationResult {
    std::string text{};

    void encode(KeyedEncoder& encoder) const;
    static AudioTranslationResult decode(const KeyedDecoder& decoder);

    bool operator==(const AudioTranslationResult&) const = default;
};

} // namespace brindlemoor
