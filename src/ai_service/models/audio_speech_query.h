#pragma once

#include "ai_service/models/json_coding.h"

#include <optional>
#include <string>

namespace brindlemoor {

// Asks the service to speak a text. The initializer corrects the model and the speed,
// printing a warning for each correction; decoding stores values as they come.
struct AudioSpeechQuery {
    enum class AudioSpeechVoice { alloy, echo, fable, onyx, nova, shimmer };
    enum class AudioSpeechResponseFormat { mp3, opus, aac, flac };
    enum class Speed { normal, max, min };

    std::string model{};
    std::optional<std::string> input{};
    AudioSpeechVoice voice{};
    AudioSpeechResponseFormat responseFormat{};
    // Sent as text ("1.0"), not as a number.
    std::optional<std::string> speed{};

    AudioSpeechQuery(std::string model, std::string input, AudioSpeechVoice voice,
        AudioSpeechResponseFormat responseFormat, std::optional<double> speed);

    // One of the two speech models, else "tts-1" with a warning.
    static std::string normalisedModel(const std::string& model);
    // The speed as text, brought into the service's range with a warning when outside it.
    static std::string normalisedSpeed(std::optional<double> speed);

    static double speedValue(Speed speed);
    static std::optional<Speed> speedFromValue(double value);

    void encode(KeyedEncoder& encoder) const;
    static AudioSpeechQuery decode(const KeyedDecoder& decoder);

    bool operator==(const AudioSpeechQuery&) const = default;

private:
    struct Uncorrected {};
    AudioSpeechQuery(Uncorrected, std::string model, std::optional<std::string> input, AudioSpeechVoice voice,
        AudioSpeechResponseFormat responseFormat, std::optional<std::string> speed);
};

template <>
struct WireStrings<AudioSpeechQuery::AudioSpeechVoice> {
    using E = AudioSpeechQuery::AudioSpeechVoice;
    static constexpr std::array<std::pair<E, std::string_view>, 6> table{{
        {E::alloy, "alloy"},
        {E::echo, "echo"},
        {E::fable, "fable"},
        {E::onyx, "onyx"},
        {E::nova, "nova"},
        {E::shimmer, "shimmer"},
    }};
};

template <>
struct WireStrings<AudioSpeechQuery::AudioSpeechResponseFormat> {
    using E = AudioSpeechQuery::AudioSpeechResponseFormat;
    static constexpr std::array<std::pair<E, std::string_view>, 4> table{{
        {E::mp3, "mp3"},
        {E::opus, "opus"},
        {E::aac, "aac"},
        {E::flac, "flac"},
    }};
};

} // namespace brindlemoor
