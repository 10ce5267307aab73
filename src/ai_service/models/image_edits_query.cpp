#include "ai_service/models/image_edits_query.h"

#include "ai_service/models/multipart_form_data_body_builder.h"

namespace brindlemoor {

Bytes ImageEditsQuery::encode(const std::string& boundary) const
{
    return MultipartFormDataBodyBuilder(boundary,
        {
            MultipartFormDataEntry::file("image", fileName, image, "image/png"),
            MultipartFormDataEntry::file("mask", maskFileName, mask, "image/png"),
            MultipartFormDataEntry::string("prompt", prompt),
            MultipartFormDataEntry::string("n", n),
            MultipartFormDataEntry::string("size", size),
        })
        .build();
}

void ImageEditsQuery::encode(KeyedEncoder& encoder) const
{
    encoder.encode("image", image);
    encoder.encode("fileName", fileName);
    encoder.encodeIfPresent("mask", mask);
    encoder.encodeIfPresent("maskFileName", maskFileName);
    encoder.encode("prompt", prompt);
    encoder.encodeIfPresent("n", n);
    encoder.encodeIfPresent("size", size);
}

ImageEditsQuery ImageEditsQuery::decode(const KeyedDecoder& decoder)
{
    ImageEditsQuery query;
    query.image = decoder.decode<Bytes>("image");
    query.fileName = decoder.decode<std::string>("fileName");
    query.mask = decoder.decodeIfPresent<Bytes>("mask");
    query.maskFileName = decoder.decodeIfPresent<std::string>("maskFileName");
    query.prompt = decoder.decode<std::string>("prompt");
    query.n = decoder.decodeIfPresent<std::int64_t>("n");
    query.size = decoder.decodeIfPresent<std::string>("size");
    return query;
}

} // namespace brindlemoor
