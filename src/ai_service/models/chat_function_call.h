#pragma once

#include "ai_service/models/json_coding.h"

#include <optional>
#include <string>

namespace brindlemoor {

// The function that the model asks to have called.
struct ChatFunctionCall {
    std::optional<std::string> name{};
    // The arguments as one unparsed text, exactly as received or given.
    std::optional<std::string> arguments{};

    void encode(KeyedEncoder& encoder) const;
    static ChatFunctionCall decode(const KeyedDecoder& decoder);

    bool operator==(const ChatFunctionCall&) const = default;
};

} // namespace brindlemoor
