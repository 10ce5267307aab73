#pragma once

#include "ai_service/models/chat_function_call.h"
#include "ai_service/models/json_coding.h"

#include <optional>
#include <string>

namespace brindlemoor {

// One message of a conversation.
struct Chat {
    enum class Role { system, assistant, user, function };
    enum class CodingKeys { role, content, name, functionCall };

    Role role{};
    std::optional<std::string> content{};
    std::optional<std::string> name{};
    std::optional<ChatFunctionCall> functionCall{};

    // An assistant message that only calls a function writes "content": null; other
    // messages without content leave the key out.
    void encode(KeyedEncoder& encoder) const;
    static Chat decode(const KeyedDecoder& decoder);

    bool operator==(const Chat&) const = default;
};

template <>
struct WireStrings<Chat::Role> {
    using E = Chat::Role;
    static constexpr std::array<std::pair<E, std::string_view>, 4> table{{
        {E::system, "system"},
        {E::assistant, "assistant"},
        {E::user, "user"},
        {E::function, "function"},
    }};
};

template <>
struct WireStrings<Chat::CodingKeys> {
    using E = Chat::CodingKeys;
    static constexpr std::array<std::pair<E, std::string_view>, 4> table{{
        {E::role, "role"},
        {E::content, "content"},
        {E::name, "name"},
        {E::functionCall, "function_call"},
    }};
};

} // namespace brindlemoor
