#include "ai_service/models/audio_speech_query.h"

#include "ai_service/models/decimal_text.h"
#include "ai_service/models/model.h"
#include "platform/standard_output.h"

#include <cmath>

namespace brindlemoor {
namespace {

constexpr double kMinimumSpeed = 0.25;
constexpr double kMaximumSpeed = 4.0;
constexpr double kNormalSpeed = 1.0;

} // namespace

AudioSpeechQuery::AudioSpeechQuery(std::string model, std::string input, AudioSpeechVoice voice,
    AudioSpeechResponseFormat responseFormat, std::optional<double> speed)
    : model(normalisedModel(model))
    , input(std::move(input))
    , voice(voice)
    , responseFormat(responseFormat)
    , speed(normalisedSpeed(speed))
{
}

AudioSpeechQuery::AudioSpeechQuery(Uncorrected, std::string model, std::optional<std::string> input, AudioSpeechVoice voice,
    AudioSpeechResponseFormat responseFormat, std::optional<std::string> speed)
    : model(std::move(model))
    , input(std::move(input))
    , voice(voice)
    , responseFormat(responseFormat)
    , speed(std::move(speed))
{
}

std::string AudioSpeechQuery::normalisedModel(const std::string& model)
{
    if (model == Model::tts1 || model == Model::tts1HD) {
        return model;
    }
    StandardOutput::printLine("[AudioSpeech] 'AudioSpeechQuery' must have a valid Text-To-Speech model, 'tts-1' or "
                              "'tts-1-hd'. Setting model to 'tts-1'.");
    return Model::tts1;
}

std::string AudioSpeechQuery::normalisedSpeed(std::optional<double> speed)
{
    if (!speed) {
        return decimalText(kNormalSpeed);
    }
    if (*speed > kMinimumSpeed && *speed < kMaximumSpeed) {
        return decimalText(*speed);
    }
    StandardOutput::printLine("[AudioSpeech] Speed value must be between 0.25 and 4.0. Setting value to closest valid.");
    // A speed that is not a number has no closest valid value: the normal speed is the safe one.
    if (std::isnan(*speed)) {
        return decimalText(kNormalSpeed);
    }
    return decimalText(*speed <= kMinimumSpeed ? kMinimumSpeed : kMaximumSpeed);
}

double AudioSpeechQuery::speedValue(Speed speed)
{
    switch (speed) {
    case Speed::normal:
        return kNormalSpeed;
    case Speed::max:
        return kMaximumSpeed;
    case Speed::min:
        return kMinimumSpeed;
    }
    return kNormalSpeed;
}

std::optional<AudioSpeechQuery::Speed> AudioSpeechQuery::speedFromValue(double value)
{
    for (const Speed speed : {Speed::normal, Speed::max, Speed::min}) {
        if (speedValue(speed) == value) {
            return speed;
        }
    }
    return std::nullopt;
}

void AudioSpeechQuery::encode(KeyedEncoder& encoder) const
{
    encoder.encode("model", model);
    encoder.encodeIfPresent("input", input);
    encoder.encode("voice", voice);
    encoder.encode("response_format", responseFormat);
    encoder.encodeIfPresent("speed", speed);
}

AudioSpeechQuery AudioSpeechQuery::decode(const KeyedDecoder& decoder)
{
    auto model = decoder.decode<std::string>("model");
    auto input = decoder.decodeIfPresent<std::string>("input");
    const auto voice = decoder.decode<AudioSpeechVoice>("voice");
    const auto responseFormat = decoder.decode<AudioSpeechResponseFormat>("response_format");
    auto speed = decoder.decodeIfPresent<std::string>("speed");
    return AudioSpeechQuery(Uncorrected{}, std::move(model), std::move(input), voice, responseFormat, std::move(speed));
}

} // namespace brindlemoor
