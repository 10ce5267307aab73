#include "ai_service/models/embeddings_query.h"

namespace brindlemoor {

void EmbeddingsQuery::encode(KeyedEncoder& encoder) const
{
    encoder.encode("model", model);
    encoder.encode("input", input);
}

EmbeddingsQuery EmbeddingsQuery::decode(const KeyedDecoder& decoder)
{
    auto model = decoder.decode<std::string>("model");
    auto input = decoder.decode<std::string>("input");
    return {std::move(model), std::move(input)};
}

} // namespace brindlemoor
