#pragma once

#include "ai_service/models/audio_response_format.h"
#include "ai_service/models/json_coding.h"

#include <optional>
#include <string>

namespace brindlemoor {

// A recorded audio file to translate into English text, sent as a multipart form.
struct AudioTranslationQuery {
    Bytes file{};
    std::string fileName{};
    std::string model{};
    std::optional<AudioResponseFormat> responseFormat{};
    std::optional<std::string> prompt{};
    std::optional<double> temperature{};

    AudioTranslationQuery(Bytes file, std::string fileName, std::string model,
        std::optional<std::string> prompt = std::nullopt, std::optional<double> temperature = std::nullopt,
        std::optional<AudioResponseFormat> responseFormat = std::nullopt);

    // The multipart body for this boundary.
    Bytes encode(const std::string& boundary) const;

    void encode(KeyedEncoder& encoder) const;
    static AudioTranslationQuery decode(const KeyedDecoder& decoder);

    bool operator==(const AudioTranslationQuery&) const = default;
};

} // namespace brindlemoor
