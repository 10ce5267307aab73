#include "ai_service/models/response_format.h"

namespace brindlemoor {

void ResponseFormat::encode(KeyedEncoder& encoder) const
{
    encoder.encode("type", type);
}

ResponseFormat ResponseFormat::decode(const KeyedDecoder& decoder)
{
    return {decoder.decode<ResponseFormatType>("type")};
}

} // namespace brindlemoor
