#pragma once

#include "ai_service/models/json_coding.h"

#include <cstdint>
#include <string>
#include <vector>

namespace brindlemoor {

// The vectors of the inputs.
struct EmbeddingsResult {
    struct Embedding {
        std::string object{};
        std::vector<double> embedding{};
        std::int64_t index = 0;

        void encode(KeyedEncoder& encoder) const;
        static Embedding decode(const KeyedDecoder& decoder);

        bool operator==(const Embedding&) const = default;
    };

    struct Usage {
        enum class CodingKeys { promptTokens, totalTokens };

        std::int64_t promptTokens = 0;
        std::int64_t totalTokens = 0;

        void encode(KeyedEncoder& encoder) const;
        static Usage decode(const KeyedDecoder& decoder);

        bool operator==(const Usage&) const = default;
    };

    std::vector<Embedding> data{};
    std::string model{};
    Usage usage{};

    void encode(KeyedEncoder& encoder) const;
    static EmbeddingsResult decode(const KeyedDecoder& decoder);

    bool operator==(const EmbeddingsResult&) const = default;
};

template <>
struct WireStrings<EmbeddingsResult::Usage::CodingKeys> {
    using E = EmbeddingsResult::Usage::CodingKeys;
    static constexpr std::array<std::pair<E, std::string_view>, 2> table{{
        {E::promptTokens, "prompt_tokens"},
        {E::totalTokens, "total_tokens"},
    }};
};

} // namespace brindlemoor
