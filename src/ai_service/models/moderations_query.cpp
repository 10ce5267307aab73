#include "ai_service/models/moderations_query.h"

namespace brindlemoor {

void ModerationsQuery::encode(KeyedEncoder& encoder) const
{
    encoder.encode("input", input);
    encoder.encodeIfPresent("model", model);
}

ModerationsQuery ModerationsQuery::decode(const KeyedDecoder& decoder)
{
    auto input = decoder.decode<std::string>("input");
    auto model = decoder.decodeIfPresent<std::string>("model");
    return {std::move(input), std::move(model)};
}

} // namespace brindlemoor
