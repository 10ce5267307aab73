#include "ai_service/models/audio_translation_query.h"

#include "ai_service/models/multipart_form_data_body_builder.h"

namespace brindlemoor {

AudioTranslationQuery::AudioTranslationQuery(Bytes file, std::string fileName, std::string model,
    std::optional<std::string> prompt, std::optional<double> temperature, std::optional<AudioResponseFormat> responseFormat)
    : file(std::move(file))
    , fileName(std::move(fileName))
    , model(std::move(model))
    , responseFormat(responseFormat)
    , prompt(std::move(prompt))
    , temperature(temperature)
{
}

Bytes AudioTranslationQuery::encode(const std::string& boundary) const
{
    std::optional<MultipartFormDataValue> format;
    if (responseFormat) {
        format = std::string(wireString(*responseFormat));
    }
    return MultipartFormDataBodyBuilder(boundary,
        {
            MultipartFormDataEntry::file("file", fileName, file, "audio/mpeg"),
            MultipartFormDataEntry::string("model", model),
            MultipartFormDataEntry::string("prompt", prompt),
            MultipartFormDataEntry::string("response_format", format),
            MultipartFormDataEntry::string("temperature", temperature),
        })
        .build();
}

void AudioTranslationQuery::encode(KeyedEncoder& encoder) const
{
    encoder.encode("file", file);
    encoder.encode("fileName", fileName);
    encoder.encode("model", model);
    encoder.encodeIfPresent("responseFormat", responseFormat);
    encoder.encodeIfPresent("prompt", prompt);
    encoder.encodeIfPresent("temperature", temperature);
}

AudioTranslationQuery AudioTranslationQuery::decode(const KeyedDecoder& decoder)
{
    auto file = decoder.decode<Bytes>("file");
    auto fileName = decoder.decode<std::string>("fileName");
    auto model = decoder.decode<std::string>("model");
    auto responseFormat = decoder.decodeIfPresent<AudioResponseFormat>("responseFormat");
    auto prompt = decoder.decodeIfPresent<std::string>("prompt");
    auto temperature = decoder.decodeIfPresent<double>("temperature");
    return AudioTranslationQuery(
        std::move(file), std::move(fileName), std::move(model), std::move(prompt), temperature, responseFormat);
}

} // namespace brindlemoor
