#include "ai_service/models/edits_result.h"

namespace brindlemoor {

void EditsResult::Choice::encode(KeyedEncoder& encoder) const
{
    encoder.encode("text", text);
    encoder.encode("index", index);
}

EditsResult::Choice EditsResult::Choice::decode(const KeyedDecoder& decoder)
{
    Choice choice;
    choice.text = decoder.decode<std::string>("text");
    choice.index = decoder.decode<std::int64_t>("index");
    return choice;
}

void EditsResult::Usage::encode(KeyedEncoder& encoder) const
{
    encoder.encode(CodingKeys::promptTokens, promptTokens);
    encoder.encode(CodingKeys::completionTokens, completionTokens);
    encoder.encode(CodingKeys::totalTokens, totalTokens);
}

EditsResult::Usage EditsResult::Usage::decode(const KeyedDecoder& decoder)
{
    Usage usage;
    usage.promptTokens = decoder.decode<std::int64_t>(CodingKeys::promptTokens);
    usage.completionTokens = decoder.decode<std::int64_t>(CodingKeys::completionTokens);
    usage.totalTokens = decoder.decode<std::int64_t>(CodingKeys::totalTokens);
    return usage;
}

void EditsResult::encode(KeyedEncoder& encoder) const
{
    encoder.encode("object", object);
    encoder.encode("created", created);
    encoder.encode("choices", choices);
    encoder.encode("usage", usage);
}

EditsResult EditsResult::decode(const KeyedDecoder& decoder)
{
    EditsResult result;
    result.object = decoder.decode<std::string>("object");
    result.created = decoder.decode<double>("created");
    result.choices = decoder.decode<std::vector<Choice>>("choices");
    result.usage = decoder.decode<Usage>("usage");
    return result;
}

} // namespace brindlemoor
