#include "ai_service/models/audio_transcription_query.h"

#include "ai_service/models/multipart_form_data_body_builder.h"

namespace brindlemoor {

AudioTranscriptionQuery::AudioTranscriptionQuery(Bytes file, std::string fileName, std::string model,
    std::optional<std::string> prompt, std::optional<double> temperature, std::optional<std::string> language,
    std::optional<AudioResponseFormat> responseFormat)
    : file(std::move(file))
    , fileName(std::move(fileName))
    , model(std::move(model))
    , responseFormat(responseFormat)
    , prompt(std::move(prompt))
    , temperature(temperature)
    , language(std::move(language))
{
}

Bytes AudioTranscriptionQuery::encode(const std::string& boundary) const
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
            MultipartFormDataEntry::string("temperature", temperature),
            MultipartFormDataEntry::string("language", language),
            MultipartFormDataEntry::string("response_format", format),
        })
        .build();
}

void AudioTranscriptionQuery::encode(KeyedEncoder& encoder) const
{
    encoder.encode("file", file);
    encoder.encode("fileName", fileName);
    encoder.encode("model", model);
    encoder.encodeIfPresent("responseFormat", responseFormat);
    encoder.encodeIfPresent("prompt", prompt);
    encoder.encodeIfPresent("temperature", temperature);
    encoder.encodeIfPresent("language", language);
}

AudioTranscriptionQuery AudioTranscriptionQuery::decode(const KeyedDecoder& decoder)
{
    auto file = decoder.decode<Bytes>("file");
    auto fileName = decoder.decode<std::string>("fileName");
    auto model = decoder.decode<std::string>("model");
    auto responseFormat = decoder.decodeIfPresent<AudioResponseFormat>("responseFormat");
    auto prompt = decoder.decodeIfPresent<std::string>("prompt");
    auto temperature = decoder.decodeIfPresent<double>("temperature");
    auto language = decoder.decodeIfPresent<std::string>("language");
    return AudioTranscriptionQuery(std::move(file), std::move(fileName), std::move(model), std::move(prompt),
        temperature, std::move(language), responseFormat);
}

} // namespace brindlemoor
