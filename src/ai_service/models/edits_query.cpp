#include "ai_service/models/edits_query.h"

namespace brindlemoor {

void EditsQuery::encode(KeyedEncoder& encoder) const
{
    encoder.encode("model", model);
    encoder.encodeIfPresent("input", input);
    encoder.encode("instruction", instruction);
    encoder.encodeIfPresent("n", n);
    encoder.encodeIfPresent("temperature", temperature);
    encoder.encodeIfPresent("topP", topP);
}

EditsQuery EditsQuery::decode(const KeyedDecoder& decoder)
{
    EditsQuery query;
    query.model = decoder.decode<std::string>("model");
    query.input = decoder.decodeIfPresent<std::string>("input");
    query.instruction = decoder.decode<std::string>("instruction");
    query.n = decoder.decodeIfPresent<std::int64_t>("n");
    query.temperature = decoder.decodeIfPresent<double>("temperature");
    query.topP = decoder.decodeIfPresent<double>("topP");
    return query;
}

} // namespace brindlemoor
