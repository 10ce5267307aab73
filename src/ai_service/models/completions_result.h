#pragma once

#include "ai_service/models/json_coding.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace brindlemoor {

// The continuations of a prompt, whole or one streamed chunk.
struct CompletionsResult {
    struct Choice {
        std::string text{};
        std::int64_t index = 0;
        std::optional<std::string> finishReason{};

        void encode(KeyedEncoder& encoder) const;
        static Choice decode(const KeyedDecoder& decoder);

        bool operator==(const Choice&) const = default;
    };

    struct Usage {
        std::int64_t promptTokens = 0;
        std::int64_t completionTokens = 0;
        std::int64_t totalTokens = 0;

        void encode(KeyedEncoder& encoder) const;
        static Usage decode(const KeyedDecoder& decoder);

        bool operator==(const Usage&) const = default;
    };

    std::string id{};
    std::string object{};
    double created = 0;
    std::string model{};
    std::vector<Choice> choices{};
    std::optional<Usage> usage{};

    void encode(KeyedEncoder& encoder) const;
    static CompletionsResult decode(const KeyedDecoder& decoder);

    bool operator==(const CompletionsResult&) const = default;
};

} // namespace brindlemoor
