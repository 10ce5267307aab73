#pragma once

#include "ai_service/models/json_coding.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace brindlemoor {

// Asks the service to continue a text prompt. "stream" is written third, after the prompt.
struct CompletionsQuery {
    std::string model{};
    std::string prompt{};
    std::optional<double> temperature{};
    std::optional<std::int64_t> maxTokens{};
    std::optional<double> topP{};
    std::optional<double> frequencyPenalty{};
    std::optional<double> presencePenalty{};
    std::optional<std::vector<std::string>> stop{};
    std::optional<std::string> user{};
    // The streaming operation sends a copy with this set.
    bool stream = false;

    CompletionsQuery(std::string model, std::string prompt, std::optional<double> temperature = std::nullopt,
        std::optional<std::int64_t> maxTokens = std::nullopt, std::optional<double> topP = std::nullopt,
        std::optional<double> frequencyPenalty = std::nullopt, std::optional<double> presencePenalty = std::nullopt,
        std::optional<std::vector<std::string>> stop = std::nullopt, std::optional<std::string> user = std::nullopt);

    void encode(KeyedEncoder& encoder) const;
    static CompletionsQuery decode(const KeyedDecoder& decoder);
};

} // namespace brindlemoor
