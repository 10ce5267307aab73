#include "ai_service/models/completions_result.h"

namespace brindlemoor {

void CompletionsResult::Choice::encode(KeyedEncoder& encoder) const
{
    encoder.encode("text", text);
    encoder.encode("index", index);
    encoder.encodeIfPresent("finish_reason", finishReason);
}

CompletionsResult::Choice CompletionsResult::Choice::decode(const KeyedDecoder& decoder)
{
    Choice choice;
    choice.text = decoder.decode<std::string>("text");
    choice.index = decoder.decode<std::int64_t>("index");
    choice.finishReason = decoder.decodeIfPresent<std::string>("finish_reason");
    return choice;
}

void CompletionsResult::Usage::encode(KeyedEncoder& encoder) const
{
    encoder.encode("prompt_tokens", promptTokens);
    encoder.encode("completion_tokens", completionTokens);
    encoder.encode("total_tokens", totalTokens);
}

CompletionsResult::Usage CompletionsResult::Usage::decode(const KeyedDecoder& decoder)
{
    Usage usage;
    usage.promptTokens = decoder.decode<std::int64_t>("prompt_tokens");
    usage.completionTokens = decoder.decode<std::int64_t>("completion_tokens");
    usage.totalTokens = decoder.decode<std::int64_t>("total_tokens");
    return usage;
}

void CompletionsResult::encode(KeyedEncoder& encoder) const
{
    encoder.encode("id", id);
    encoder.encode("object", object);
    encoder.encode("created", created);
    encoder.encode("model", model);
    encoder.encode("choices", choices);
    encoder.encodeIfPresent("usage", usage);
}

CompletionsResult CompletionsResult::decode(const KeyedDecoder& decoder)
{
    CompletionsResult result;
    result.id = decoder.decode<std::string>("id");
    result.object = decoder.decode<std::string>("object");
    result.created = decoder.decode<double>("created");
    result.model = decoder.decode<std::string>("model");
    result.choices = decoder.decode<std::vector<Choice>>("choices");
    result.usage = decoder.decodeIfPresent<Usage>("usage");
    return result;
}

} // namespace brindlemoor
