#include "ai_service/models/image_variations_query.h"

#include "ai_service/models/multipart_form_data_body_builder.h"

namespace brindlemoor {

Bytes ImageVariationsQuery::encode(const std::string& boundary) const
{
    return MultipartFormDataBodyBuilder(boundary,
        {
            MultipartFormDataEntry::file("image", fileName, image, "image/png"),
            MultipartFormDataEntry::string("n", n),
            MultipartFormDataEntry::string("size", size),
        })
        .build();
}

void ImageVariationsQuery::encode(KeyedEncoder& encoder) const
{
    encoder.encode("image", image);
    encoder.encode("fileName", fileName);
    encoder.encodeIfPresent("n", n);
    encoder.encodeIfPresent("size", size);
}

ImageVariationsQuery ImageVariationsQuery::decode(const KeyedDecoder& decoder)
{
    ImageVariationsQuery query;
    query.image = decoder.decode<Bytes>("image");
    query.fileName = decoder.decode<std::string>("fileName");
    query.n = decoder.decodeIfPresent<std::int64_t>("n");
    query.size = decoder.decodeIfPresent<std::string>("size");
    return query;
}

} // namespace brindlemoor
