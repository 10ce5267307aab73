#pragma once

#include "ai_service/models/chat.h"
#include "ai_service/models/chat_function_declaration.h"
#include "ai_service/models/json_coding.h"
#include "ai_service/models/response_format.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace brindlemoor {

// The request of the chat operation. Keys are written in the order of CodingKeys, not of the fields.
struct ChatQuery {
    enum class CodingKeys {
        model,
        messages,
        functions,
        functionCall,
        temperature,
        topP,
        n,
        stream,
        stop,
        maxTokens,
        presencePenalty,
        frequencyPenalty,
        logitBias,
        user,
        responseFormat,
    };

    // Whether and which function the model should call. Written as "none", "auto" or
    // {"name": N}; read back only in the one-key object form {"none": {}}, {"auto": {}},
    // {"name": {"_0": N}}.
    class FunctionCall {
    public:
        enum class Kind { none, automatic, function };
        enum class CodingKeys { none, automatic, function };

        static FunctionCall none() { return FunctionCall(Kind::none, {}); }
        static FunctionCall automatic() { return FunctionCall(Kind::automatic, {}); }
        static FunctionCall function(std::string name) { return FunctionCall(Kind::function, std::move(name)); }

        Kind kind() const { return kind_; }
        // The function's name; empty unless the kind is function.
        const std::string& name() const { return name_; }

        bool operator==(const FunctionCall&) const = default;

    private:
        FunctionCall(Kind kind, std::string name) : kind_(kind), name_(std::move(name)) {}

        Kind kind_;
        std::string name_{};
    };

    std::string model{};
    std::optional<ResponseFormat> responseFormat{};
    std::vector<Chat> messages{};
    std::optional<std::vector<ChatFunctionDeclaration>> functions{};
    std::optional<FunctionCall> functionCall{};
    std::optional<double> temperature{};
    std::optional<double> topP{};
    std::optional<std::int64_t> n{};
    std::optional<std::vector<std::string>> stop{};
    std::optional<std::int64_t> maxTokens{};
    std::optional<double> presencePenalty{};
    std::optional<double> frequencyPenalty{};
    std::optional<std::map<std::string, std::int64_t>> logitBias{};
    std::optional<std::string> user{};
    // The streaming operations send a copy with this set.
    bool stream = false;

    ChatQuery(std::string model, std::vector<Chat> messages, std::optional<ResponseFormat> responseFormat = std::nullopt,
        std::optional<std::vector<ChatFunctionDeclaration>> functions = std::nullopt,
        std::optional<FunctionCall> functionCall = std::nullopt, std::optional<double> temperature = std::nullopt,
        std::optional<double> topP = std::nullopt, std::optional<std::int64_t> n = std::nullopt,
        std::optional<std::vector<std::string>> stop = std::nullopt, std::optional<std::int64_t> maxTokens = std::nullopt,
        std::optional<double> presencePenalty = std::nullopt, std::optional<double> frequencyPenalty = std::nullopt,
        std::optional<std::map<std::string, std::int64_t>> logitBias = std::nullopt,
        std::optional<std::string> user = std::nullopt, bool stream = false);

    void encode(KeyedEncoder& encoder) const;
    static ChatQuery decode(const KeyedDecoder& decoder);

    bool operator==(const ChatQuery&) const = default;
};

template <>
struct WireStrings<ChatQuery::CodingKeys> {
    using E = ChatQuery::CodingKeys;
    static constexpr std::array<std::pair<E, std::string_view>, 15> table{{
        {E::model, "model"},
        {E::messages, "messages"},
        {E::functions, "functions"},
        {E::functionCall, "function_call"},
        {E::temperature, "temperature"},
        {E::topP, "top_p"},
        {E::n, "n"},
        {E::stream, "stream"},
        {E::stop, "stop"},
        {E::maxTokens, "max_tokens"},
        {E::presencePenalty, "presence_penalty"},
        {E::frequencyPenalty, "frequency_penalty"},
        {E::logitBias, "logit_bias"},
        {E::user, "user"},
        {E::responseFormat, "response_format"},
    }};
};

template <>
struct WireStrings<ChatQuery::FunctionCall::CodingKeys> {
    using E = ChatQuery::FunctionCall::CodingKeys;
    static constexpr std::array<std::pair<E, std::string_view>, 3> table{{
        {E::none, "none"},
        {E::automatic, "auto"},
        {E::function, "name"},
    }};
};

template <>
struct JsonCoding<ChatQuery::FunctionCall> {
    static Json encode(const ChatQuery::FunctionCall& value, const CodingPath& path);
    static ChatQuery::FunctionCall decode(const Json& json, const CodingPath& path);
};

} // namespace brindlemoor
