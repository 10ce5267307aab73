#pragma once

#include "ai_service/models/chat.h"
#include "ai_service/models/json_coding.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace brindlemoor {

// The reply of the non-streamed chat operation.
struct ChatResult {
    struct Choice {
        enum class CodingKeys { index, message, finishReason };

        std::int64_t index = 0;
        Chat message{};
        // Why generation stopped, as the service names it.
        std::optional<std::string> finishReason{};

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

    enum class CodingKeys { id, object, created, model, choices, usage };

    std::string id{};
    std::string object{};
    double created = 0;
    std::string model{};
    std::vector<Choice> choices{};
    std::optional<Usage> usage{};

    void encode(KeyedEncoder& encoder) const;
    static ChatResult decode(const KeyedDecoder& decoder);

    bool operator==(const ChatResult&) const = default;
};

template <>
struct WireStrings<ChatResult::CodingKeys> {
    using E = ChatResult::CodingKeys;
    static constexpr std::array<std::pair<E, std::string_view>, 6> table{{
        {E::id, "id"},
        {E::object, "object"},
        {E::created, "created"},
        {E::model, "model"},
        {E::choices, "choices"},
        {E::usage, "usage"},
    }};
};

template <>
struct WireStrings<ChatResult::Choice::CodingKeys> {
    using E = ChatResult::Choice::CodingKeys;
    static constexpr std::array<std::pair<E, std::string_view>, 3> table{{
        {E::index, "index"},
        {E::message, "message"},
        {E::finishReason, "finish_reason"},
    }};
};

template <>
struct WireStrings<ChatResult::Usage::CodingKeys> {
    using E = ChatResult::Usage::CodingKeys;
    static constexpr std::array<std::pair<E, std::string_view>, 3> table{{
        {E::promptTokens, "prompt_tokens"},
        {E::completionTokens, "completion_tokens"},
        {E::totalTokens, "total_tokens"},
    }};
};

} // namespace brindlemoor
