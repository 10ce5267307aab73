#include "ai_service/models/images_result.h"

namespace brindlemoor {

void ImagesResult::URLResult::encode(KeyedEncoder& encoder) const
{
    encoder.encodeIfPresent("url", url);
    encoder.encodeIfPresent("b64_json", b64_json);
}

ImagesResult::URLResult ImagesResult::URLResult::decode(const KeyedDecoder& decoder)
{
    URLResult result;
    result.url = decoder.decodeIfPresent<std::string>("url");
    result.b64_json = decoder.decodeIfPresent<std::string>("b64_json");
    return result;
}

void ImagesResult::encode(KeyedEncoder& encoder) const
{
    encoder.encode("created", created);
    encoder.encode("data", data);
}

ImagesResult ImagesResult::decode(const KeyedDecoder& decoder)
{
    ImagesResult result;
    result.created = decoder.decode<double>("created");
    result.data = decoder.decode<std::vector<URLResult>>("data");
    return result;
}

} // namespace brindlemoor

std::size_t std::hash<brindlemoor::ImagesResult::URLResult>::operator()(
    const brindlemoor::ImagesResult::URLResult& value) const
{
    // A presence marker per field keeps (url: x, none) apart from (none, b64_json: x).
    std::size_t seed = 0;
    const auto combine = [&seed](std::size_t hash) { seed ^= hash + 0x9e3779b97f4a7c15ULL + (seed << 6) + (seed >> 2); };
    for (const auto* field : {&value.url, &value.b64_json}) {
        combine(field->has_value() ? 1 : 0);
        if (*field) {
            combine(std::hash<std::string>{}(**field));
        }
    }
    return seed;
}
