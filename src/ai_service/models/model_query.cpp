#include "ai_service/models/model_query.h"

namespace brindlemoor {

void ModelQuery::encode(KeyedEncoder& encoder) const
{
    encoder.encode("model", model);
}

ModelQuery ModelQuery::decode(const KeyedDecoder& decoder)
{
    return {decoder.decode<std::string>("model")};
}

} // namespace brindlemoor
