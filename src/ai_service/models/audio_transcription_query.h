#pragma once

#include "ai_service/models/audio_response_format.h"
#include "ai_service/models/json_coding.h"

#include <optional>
#include <string>

namespace brindlemoor {

// A recorded audio file to turn into text, sent as a multipart form.
struct AudioTranscriptionQuery {
    Bytes file{};
    std::string fileName{};
    std::string model{};
    std::optional<AudioResponseFormat> responseFormat{};
    std::optional<std::string> prompt{};
    std::optional<double> temperature{};
    // The language code of the speech.
    std::optional<std::string> language{};

    AudioTranscriptionQuery(Bytes file, std::string fileName, std::string model,
        std::optional<std::string> prompt = std::nullopt, std::optional<double> temperature = std::nullopt,
        std::optional<std::string> language = std::nullopt,
        std::optional<AudioResponseFormat> responseFormat = std::nullopt);

    // The multipart body for this boundary.
    Bytes encode(const std::string& boundary) const;

    void encode(KeyedEncoder& encoder) const;
    static AudioTranscriptionQuery decode(const KeyedDecoder& decoder);

    bool operator==(const AudioTranscriptionQuery&) const = default;
};

} // namespace brindlemoor
