#include "ai_service/models/chat_result.h"

namespace brindlemoor {

void ChatResult::Choice::encode(KeyedEncoder& encoder) const
{
    encoder.encode(CodingKeys::index, index);
    encoder.encode(CodingKeys::message, message);
    encoder.encodeIfPresent(CodingKeys::finishReason, finishReason);
}

ChatResult::Choice ChatResult::Choice::decode(const KeyedDecoder& decoder)
{
    Choice choice;
    choice.index = decoder.decode<std::int64_t>(CodingKeys::index);
    choice.message = decoder.decode<Chat>(CodingKeys::message);
    choice.finishReason = decoder.decodeIfPresent<std::string>(CodingKeys::finishReason);
    return choice;
}

void ChatResult::Usage::encode(KeyedEncoder& encoder) const
{
    encoder.encode(CodingKeys::promptTokens, promptTokens);
    encoder.encode(CodingKeys::completionTokens, completionTokens);
    encoder.encode(CodingKeys::totalTokens, totalTokens);
}

ChatResult::Usage ChatResult::Usage::decode(const KeyedDecoder& decoder)
{
    Usage usage;
    usage.promptTokens = decoder.decode<std::int64_t>(CodingKeys::promptTokens);
    usage.completionTokens = decoder.decode<std::int64_t>(CodingKeys::completionTokens);
    usage.totalTokens = decoder.decode<std::int64_t>(CodingKeys::totalTokens);
    return usage;
}

void ChatResult::encode(KeyedEncoder& encoder) const
{
    encoder.encode(CodingKeys::id, id);
    encoder.encode(CodingKeys::object, object);
    encoder.encode(CodingKeys::created, created);
    encoder.encode(CodingKeys::model, model);
    encoder.encode(CodingKeys::choices, choices);
    encoder.encodeIfPresent(CodingKeys::usage, usage);
}

ChatResult ChatResult::decode(const KeyedDecoder& decoder)
{
    ChatResult result;
    result.id = decoder.decode<std::string>(CodingKeys::id);
    result.object = decoder.decode<std::string>(CodingKeys::object);
    result.created = decoder.decode<double>(CodingKeys::created);
    result.model = decoder.decode<std::string>(CodingKeys::model);
    result.choices = decoder.decode<std::vector<Choice>>(CodingKeys::choices);
    result.usage = decoder.decodeIfPresent<Usage>(CodingKeys::usage);
    return result;
}

} // namespace brindlemoor
