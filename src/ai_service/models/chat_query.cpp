#include "ai_service/models/chat_query.h"

namespace brindlemoor {

ChatQuery::ChatQuery(std::string model, std::vector<Chat> messages, std::optional<ResponseFormat> responseFormat,
    std::optional<std::vector<ChatFunctionDeclaration>> functions, std::optional<FunctionCall> functionCall,
    std::optional<double> temperature, std::optional<double> topP, std::optional<std::int64_t> n,
    std::optional<std::vector<std::string>> stop, std::optional<std::int64_t> maxTokens,
    std::optional<double> presencePenalty, std::optional<double> frequencyPenalty,
    std::optional<std::map<std::string, std::int64_t>> logitBias, std::optional<std::string> user, bool stream)
    : model(std::move(model))
    , responseFormat(responseFormat)
    , messages(std::move(messages))
    , functions(std::move(functions))
    , functionCall(std::move(functionCall))
    , temperature(temperature)
    , topP(topP)
    , n(n)
    , stop(std::move(stop))
    , maxTokens(maxTokens)
    , presencePenalty(presencePenalty)
    , frequencyPenalty(frequencyPenalty)
    , logitBias(std::move(logitBias))
    , user(std::move(user))
    , stream(stream)
{
}

void ChatQuery::encode(KeyedEncoder& encoder) const
{
    encoder.encode(CodingKeys::model, model);
    encoder.encode(CodingKeys::messages, messages);
    encoder.encodeIfPresent(CodingKeys::functions, functions);
    encoder.encodeIfPresent(CodingKeys::functionCall, functionCall);
    encoder.encodeIfPresent(CodingKeys::temperature, temperature);
    encoder.encodeIfPresent(CodingKeys::topP, topP);
    encoder.encodeIfPresent(CodingKeys::n, n);
    encoder.encode(CodingKeys::stream, stream);
    encoder.encodeIfPresent(CodingKeys::stop, stop);
    encoder.encodeIfPresent(CodingKeys::maxTokens, maxTokens);
    encoder.encodeIfPresent(CodingKeys::presencePenalty, presencePenalty);
    encoder.encodeIfPresent(CodingKeys::frequencyPenalty, frequencyPenalty);
    encoder.encodeIfPresent(CodingKeys::logitBias, logitBias);
    encoder.encodeIfPresent(CodingKeys::user, user);
    encoder.encodeIfPresent(CodingKeys::responseFormat, responseFormat);
}

ChatQuery ChatQuery::decode(const KeyedDecoder& decoder)
{
    auto model = decoder.decode<std::string>(CodingKeys::model);
    auto messages = decoder.decode<std::vector<Chat>>(CodingKeys::messages);
    auto functions = decoder.decodeIfPresent<std::vector<ChatFunctionDeclaration>>(CodingKeys::functions);
    auto functionCall = decoder.decodeIfPresent<FunctionCall>(CodingKeys::functionCall);
    const auto temperature = decoder.decodeIfPresent<double>(CodingKeys::temperature);
    const auto topP = decoder.decodeIfPresent<double>(CodingKeys::topP);
    const auto n = decoder.decodeIfPresent<std::int64_t>(CodingKeys::n);
    const auto stream = decoder.decode<bool>(CodingKeys::stream);
    auto stop = decoder.decodeIfPresent<std::vector<std::string>>(CodingKeys::stop);
    const auto maxTokens = decoder.decodeIfPresent<std::int64_t>(CodingKeys::maxTokens);
    const auto presencePenalty = decoder.decodeIfPresent<double>(CodingKeys::presencePenalty);
    const auto frequencyPenalty = decoder.decodeIfPresent<double>(CodingKeys::frequencyPenalty);
    auto logitBias = decoder.decodeIfPresent<std::map<std::string, std::int64_t>>(CodingKeys::logitBias);
    auto user = decoder.decodeIfPresent<std::string>(CodingKeys::user);
    const auto responseFormat = decoder.decodeIfPresent<ResponseFormat>(CodingKeys::responseFormat);
    return ChatQuery(std::move(model), std::move(messages), responseFormat, std::move(functions),
        std::move(functionCall), temperature, topP, n, std::move(stop), maxTokens, presencePenalty, frequencyPenalty,
        std::move(logitBias), std::move(user), stream);
}

Json JsonCoding<ChatQuery::FunctionCall>::encode(const ChatQuery::FunctionCall& value, const CodingPath& path)
{
    using Kind = ChatQuery::FunctionCall::Kind;
    using Keys = ChatQuery::FunctionCall::CodingKeys;
    switch (value.kind()) {
    case Kind::none:
        return std::string(wireString(Keys::none));
    case Kind::automatic:
        return std::string(wireString(Keys::automatic));
    case Kind::function:
        break;
    }
    KeyedEncoder encoder(path);
    encoder.encode(Keys::function, value.name());
    return std::move(encoder).json();
}

ChatQuery::FunctionCall JsonCoding<ChatQuery::FunctionCall>::decode(const Json& json, const CodingPath& path)
{
    using FunctionCall = ChatQuery::FunctionCall;
    using Keys = FunctionCall::CodingKeys;
    const KeyedDecoder decoder(json, path);
    std::optional<Keys> found;
    int count = 0;
    for (const auto& [key, value] : json.items()) {
        if (const auto caseKey = fromWireString<Keys>(key)) {
            found = caseKey;
            ++count;
        }
    }
    if (count != 1) {
        throw DecodingError(DecodingError::Kind::typeMismatch, path, "Invalid number of keys found, expected one.");
    }
    const std::string name(wireString(*found));
    const CodingPath casePath = appendingToCodingPath(path, name);
    const KeyedDecoder payload(json.at(name), casePath);
    switch (*found) {
    case Keys::none:
        return FunctionCall::none();
    case Keys::automatic:
        return FunctionCall::automatic();
    case Keys::function:
        break;
    }
    return FunctionCall::function(payload.decode<std::string>("_0"));
}

} // namespace brindlemoor
