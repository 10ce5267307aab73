#pragma once

#include "ai_service/models/json_coding.h"

#include <optional>
#include <string>

namespace brindlemoor {

// A function name with its arguments, offered to callers as a record of its own.
struct ChatQueryFunctionCall {
    std::optional<std::string> name{};
    // The arguments as one unparsed text, exactly as received or given.
    std::optional<std::string> arguments{};

    void encode(KeyedEncoder& encoder) const;
    static ChatQueryFunctionCall decode(const KeyedDecoder& decoder);

    bool operator==(const ChatQueryFunctionCall&) const = default;
};

} // namespace brindlemoor
