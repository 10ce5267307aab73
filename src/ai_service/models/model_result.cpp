#include "ai_service/models/model_result.h"

namespace brindlemoor {

void ModelResult::encode(KeyedEncoder& encoder) const
{
    encoder.encode(CodingKeys::id, id);
    encoder.encode(CodingKeys::object, object);
    encoder.encode(CodingKeys::ownedBy, ownedBy);
}

ModelResult ModelResult::decode(const KeyedDecoder& decoder)
{
    ModelResult result;
    result.id = decoder.decode<std::string>(CodingKeys::id);
    result.object = decoder.decode<std::string>(CodingKeys::object);
    result.ownedBy = decoder.decode<std::string>(CodingKeys::ownedBy);
    return result;
}

} // namespace brindlemoor
