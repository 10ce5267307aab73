#include "ai_service/models/images_query.h"

namespace brindlemoor {

void ImagesQuery::encode(KeyedEncoder& encoder) const
{
    encoder.encodeIfPresent(CodingKeys::model, model);
    encoder.encode(CodingKeys::prompt, prompt);
    encoder.encodeIfPresent(CodingKeys::n, n);
    encoder.encodeIfPresent(CodingKeys::size, size);
    encoder.encodeIfPresent(CodingKeys::user, user);
    encoder.encodeIfPresent(CodingKeys::style, style);
    encoder.encodeIfPresent(CodingKeys::responseFormat, responseFormat);
    encoder.encodeIfPresent(CodingKeys::quality, quality);
}

ImagesQuery ImagesQuery::decode(const KeyedDecoder& decoder)
{
    ImagesQuery query;
    query.model = decoder.decodeIfPresent<std::string>(CodingKeys::model);
    query.prompt = decoder.decode<std::string>(CodingKeys::prompt);
    query.n = decoder.decodeIfPresent<std::int64_t>(CodingKeys::n);
    query.size = decoder.decodeIfPresent<std::string>(CodingKeys::size);
    query.user = decoder.decodeIfPresent<std::string>(CodingKeys::user);
    query.style = decoder.decodeIfPresent<std::string>(CodingKeys::style);
    query.responseFormat = decoder.decodeIfPresent<ImageResponseFormat>(CodingKeys::responseFormat);
    query.quality = decoder.decodeIfPresent<std::string>(CodingKeys::quality);
    return query;
}

} // namespace brindlemoor
