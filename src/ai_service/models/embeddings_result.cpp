#include "ai_service/models/embeddings_result.h"

namespace brindlemoor {

void EmbeddingsResult::Embedding::encode(KeyedEncoder& encoder) const
{
    encoder.encode("object", object);
    encoder.encode("embedding", embedding);
    encoder.encode("index", index);
}

EmbeddingsResult::Embedding EmbeddingsResult::Embedding::decode(const KeyedDecoder& decoder)
{
    Embedding embedding;
    embedding.object = decoder.decode<std::string>("object");
    embedding.embedding = decoder.decode<std::vector<double>>("embedding");
    embedding.index = decoder.decode<std::int64_t>("index");
    return embedding;
}

void EmbeddingsResult::Usage::encode(KeyedEncoder& encoder) const
{
    encoder.encode(CodingKeys::promptTokens, promptTokens);
    encoder.encode(CodingKeys::totalTokens, totalTokens);
}

EmbeddingsResult::Usage EmbeddingsResult::Usage::decode(const KeyedDecoder& decoder)
{
    Usage usage;
    usage.promptTokens = decoder.decode<std::int64_t>(CodingKeys::promptTokens);
    usage.totalTokens = decoder.decode<std::int64_t>(CodingKeys::totalTokens);
    return usage;
}

void EmbeddingsResult::encode(KeyedEncoder& encoder) const
{
    encoder.encode("data", data);
    encoder.encode("model", model);
    encoder.encode("usage", usage);
}

EmbeddingsResult EmbeddingsResult::decode(const KeyedDecoder& decoder)
{
    EmbeddingsResult result;
    result.data = decoder.decode<std::vector<Embedding>>("data");
    result.model = decoder.decode<std::string>("model");
    result.usage = decoder.decode<Usage>("usage");
    return result;
}

} // namespace brindlemoor
