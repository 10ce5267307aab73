#pragma once

#include "ai_service/models/chat.h"
#include "ai_service/models/chat_function_call.h"
#include "ai_service/models/json_coding.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace brindlemoor {

// One chunk of a streamed chat reply; the caller joins the deltas.
struct ChatStreamResult {
    struct Choice {
        // What this chunk adds to the choice's message. Keys run "role", "content", "name",
        // "function_call".
        struct Delta {
            std::optional<std::string> content{};
            std::optional<Chat::Role> role{};
            std::optional<std::string> name{};
            std::optional<ChatFunctionCall> functionCall{};

            void encode(KeyedEncoder& encoder) const;
            static Delta decode(const KeyedDecoder& decoder);

            bool operator==(const Delta&) const = default;
        };

        std::int64_t index = 0;
        Delta delta{};
        std::optional<std::string> finishReason{};

        void encode(KeyedEncoder& encoder) const;
        static Choice decode(const KeyedDecoder& decoder);

        bool operator==(const Choice&) const = default;
    };

    std::string id{};
    std::string object{};
    double created = 0;
    std::string model{};
    std::vector<Choice> choices{};

    void encode(KeyedEncoder& encoder) const;
    static ChatStreamResult decode(const KeyedDecoder& decoder);

    bool operator==(const ChatStreamResult&) const = default;
};

} // namespace brindlemoor
