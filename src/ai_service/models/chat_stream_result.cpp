#include "ai_service/models/chat_stream_result.h"

namespace brindlemoor {

void ChatStreamResult::Choice::Delta::encode(KeyedEncoder& encoder) const
{
    encoder.encodeIfPresent("role", role);
    encoder.encodeIfPresent("content", content);
    encoder.encodeIfPresent("name", name);
    encoder.encodeIfPresent("function_call", functionCall);
}

ChatStreamResult::Choice::Delta ChatStreamResult::Choice::Delta::decode(const KeyedDecoder& decoder)
{
    Delta delta;
    delta.role = decoder.decodeIfPresent<Chat::Role>("role");
    delta.content = decoder.decodeIfPresent<std::string>("content");
    delta.name = decoder.decodeIfPresent<std::string>("name");
    delta.functionCall = decoder.decodeIfPresent<ChatFunctionCall>("function_call");
    return delta;
}

void ChatStreamResult::Choice::encode(KeyedEncoder& encoder) const
{
    encoder.encode("index", index);
    encoder.encode("delta", delta);
    encoder.encodeIfPresent("finish_reason", finishReason);
}

ChatStreamResult::Choice ChatStreamResult::Choice::decode(const KeyedDecoder& decoder)
{
    Choice choice;
    choice.index = decoder.decode<std::int64_t>("index");
    choice.delta = decoder.decode<Delta>("delta");
    choice.finishReason = decoder.decodeIfPresent<std::string>("finish_reason");
    return choice;
}

void ChatStreamResult::encode(KeyedEncoder& encoder) const
{
    encoder.encode("id", id);
    encoder.encode("object", object);
    encoder.encode("created", created);
    encoder.encode("model", model);
    encoder.encode("choices", choices);
}

ChatStreamResult ChatStreamResult::decode(const KeyedDecoder& decoder)
{
    ChatStreamResult result;
    result.id = decoder.decode<std::string>("id");
    result.object = decoder.decode<std::string>("object");
    result.created = decoder.decode<double>("created");
    result.model = decoder.decode<std::string>("model");
    result.choices = decoder.decode<std::vector<Choice>>("choices");
    return result;
}

} // namespace brindlemoor
