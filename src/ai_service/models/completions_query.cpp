#include "ai_service/models/completions_query.h"

namespace brindlemoor {

CompletionsQuery::CompletionsQuery(std::string model, std::string prompt, std::optional<double> temperature,
    std::optional<std::int64_t> maxTokens, std::optional<double> topP, std::optional<double> frequencyPenalty,
    std::optional<double> presencePenalty, std::optional<std::vector<std::string>> stop, std::optional<std::string> user)
    : model(std::move(model))
    , prompt(std::move(prompt))
    , temperature(temperature)
    , maxTokens(maxTokens)
    , topP(topP)
    , frequencyPenalty(frequencyPenalty)
    , presencePenalty(presencePenalty)
    , stop(std::move(stop))
    , user(std::move(user))
{
}

void CompletionsQuery::encode(KeyedEncoder& encoder) const
{
    encoder.encode("model", model);
    encoder.encode("prompt", prompt);
    encoder.encode("stream", stream);
    encoder.encodeIfPresent("temperature", temperature);
    encoder.encodeIfPresent("max_tokens", maxTokens);
    encoder.encodeIfPresent("top_p", topP);
    encoder.encodeIfPresent("frequency_penalty", frequencyPenalty);
    encoder.encodeIfPresent("presence_penalty", presencePenalty);
    encoder.encodeIfPresent("stop", stop);
    encoder.encodeIfPresent("user", user);
}

CompletionsQuery CompletionsQuery::decode(const KeyedDecoder& decoder)
{
    auto model = decoder.decode<std::string>("model");
    auto prompt = decoder.decode<std::string>("prompt");
    const auto stream = decoder.decode<bool>("stream");
    const auto temperature = decoder.decodeIfPresent<double>("temperature");
    const auto maxTokens = decoder.decodeIfPresent<std::int64_t>("max_tokens");
    const auto topP = decoder.decodeIfPresent<double>("top_p");
    const auto frequencyPenalty = decoder.decodeIfPresent<double>("frequency_penalty");
    const auto presencePenalty = decoder.decodeIfPresent<double>("presence_penalty");
    auto stop = decoder.decodeIfPresent<std::vector<std::string>>("stop");
    auto user = decoder.decodeIfPresent<std::string>("user");
    CompletionsQuery query(std::move(model), std::move(prompt), temperature, maxTokens, topP, frequencyPenalty,
        presencePenalty, std::move(stop), std::move(user));
    query.stream = stream;
    return query;
}

} // namespace brindlemoor
