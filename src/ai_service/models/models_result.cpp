#include "ai_service/models/models_result.h"

namespace brindlemoor {

void ModelsResult::encode(KeyedEncoder& encoder) const
{
    encoder.encode("data", data);
    encoder.encode("object", object);
}

ModelsResult ModelsResult::decode(const KeyedDecoder& decoder)
{
    ModelsResult result;
    result.data = decoder.decode<std::vector<ModelResult>>("data");
    result.object = decoder.decode<std::string>("object");
    return result;
}

} // namespace brindlemoor
