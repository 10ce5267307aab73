#pragma once

#include "ai_service/models/json_coding.h"
#include "ai_service/models/json_schema.h"

#include <string>

namespace brindlemoor {

// A function that the caller makes available to the model.
struct ChatFunctionDeclaration {
    std::string name{};
    std::string description{};
    JSONSchema parameters{};

    void encode(KeyedEncoder& encoder) const;
    static ChatFunctionDeclaration decode(const KeyedDecoder& decoder);

    bool operator==(const ChatFunctionDeclaration&) const = default;
};

} // namespace brindlemoor
