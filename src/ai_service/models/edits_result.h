#pragma once

#include "ai_service/models/json_coding.h"

#include <cstdint>
#include <string>
#include <vector>

namespace brindlemoor {

// The edited texts with their token counts.
struct EditsResult {
    struct Choice {
        std::string text{};
        std::int64_t index = 0;

        void encode(KeyedEncoder& encoder) const;
        static Choice decode(const KeyedDecoder& decoder);

        bool operator==(const Choice&) const = default;
    };

    struct Usage {
        enum class CodingKeys { promptTokens, completionTokens, totalTokens };

        std::int64_t promptTokens = 0;
        std::int64_t completionTokens = 0;
        std::int64_t totalTokens = 0;

        void encode(KeyedEncoder& encoder) const;
        static Usage decode(const KeyedDecoder& decoder);

        bool operator==(const Usage&) const = default;
    };

    std::string object{};
    double created = 0;
    std::vector<Choice> choices{};
    Usage usage{};

    void encode(KeyedEncoder& encoder) const;
    static EditsResult decode(const KeyedDecoder& decoder);

    bool operator==(const EditsResult&) const = default;
};

template <>
struct WireStrings<EditsResult::Usage::CodingKeys> {
    using E = EditsResult::Usage::CodingKeys;
    static constexpr std::array<std::pair<E, std::string_view>, 3> table{{
        {E::promptTokens, "prompt_tokens"},
        {E::completionTokens, "completion_tokens"},
        {E::totalTokens, "total_tokens"},
    }};
};

} // namespace brindlemoor
