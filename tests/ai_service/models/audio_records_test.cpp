#include "ai_service/models/audio_speech_query.h"
#include "ai_service/models/audio_transcription_query.h"
#include "ai_service/models/audio_transcription_result.h"
#include "ai_service/models/audio_translation_result.h"
#include "ai_service/models/model.h"
#include "fakes/captured_output.h"
#include "json_test_helpers.h"

#include <gtest/gtest.h>

#include <cmath>

namespace brindlemoor {
namespace {

using testing::decoded;
using testing::decodingFailure;
using testing::keysOf;
using Voice = AudioSpeechQuery::AudioSpeechVoice;
using Format = AudioSpeechQuery::AudioSpeechResponseFormat;

constexpr const char* kModelWarning = "[AudioSpeech] 'AudioSpeechQuery' must have a valid Text-To-Speech model, "
                                      "'tts-1' or 'tts-1-hd'. Setting model to 'tts-1'.";
constexpr const char* kSpeedWarning = "[AudioSpeech] Speed value must be between 0.25 and 4.0. Setting value to closest valid.";

TEST(AudioSpeechQuery, KeepsTheTwoSpeechModelsAndReplacesAnyOtherWithAWarning)
{
    fakes::CapturedOutput output;
    EXPECT_EQ(AudioSpeechQuery(Model::tts1HD, "hi", Voice::nova, Format::mp3, std::nullopt).model, "tts-1-hd");
    EXPECT_TRUE(output.lines().empty());
    for (const std::string model : {"TTS-1-HD", "", "gpt-4"}) {
        EXPECT_EQ(AudioSpeechQuery(model, "hi", Voice::nova, Format::mp3, std::nullopt).model, "tts-1");
    }
    EXPECT_EQ(output.lines(), std::vector<std::string>(3, kModelWarning));
}

TEST(AudioSpeechQuery, BringsTheSpeedIntoRangeAsText)
{
    struct Case {
        std::optional<double> speed;
        std::string text;
        bool warns;
    };
    const std::vector<Case> cases{{std::nullopt, "1.0", false}, {1.0, "1.0", false}, {3.99, "3.99", false},
        {0.3, "0.3", false}, {0.25, "0.25", true}, {4.0, "4.0", true}, {0.1, "0.25", true}, {10, "4.0", true},
        {-INFINITY, "0.25", true}, {std::nan(""), "1.0", true}};
    for (const auto& [speed, text, warns] : cases) {
        fakes::CapturedOutput output;
        EXPECT_EQ(AudioSpeechQuery::normalisedSpeed(speed), text);
        EXPECT_EQ(output.lines(), warns ? std::vector<std::string>{kSpeedWarning} : std::vector<std::string>{});
    }
    fakes::CapturedOutput output;
    AudioSpeechQuery("x", "hi", Voice::alloy, Format::aac, 9.0);
    EXPECT_EQ(output.lines(), (std::vector<std::string>{kModelWarning, kSpeedWarning}));
}

TEST(AudioSpeechQuery, CodesSpeedAsTextAndStoresDecodedValuesUncorrected)
{
    const AudioSpeechQuery query(Model::tts1, "hello", Voice::shimmer, Format::flac, 1.5);
    const Json json = encodeJson(query);
    EXPECT_EQ(keysOf(json), (std::vector<std::string>{"model", "input", "voice", "response_format", "speed"}));
    EXPECT_EQ(json["speed"], "1.5");
    EXPECT_EQ(json["voice"], "shimmer");
    EXPECT_EQ(decodeJson<AudioSpeechQuery>(json), query);

    fakes::CapturedOutput output;
    const auto minimal = decoded<AudioSpeechQuery>(R"({"model":"gpt-4","voice":"echo","response_format":"opus"})");
    EXPECT_EQ(minimal.model, "gpt-4");
    EXPECT_FALSE(minimal.input.has_value());
    EXPECT_FALSE(minimal.speed.has_value());
    EXPECT_EQ(keysOf(encodeJson(minimal)), (std::vector<std::string>{"model", "voice", "response_format"}));
    EXPECT_TRUE(output.lines().empty());

    EXPECT_EQ(decodingFailure<AudioSpeechQuery>(R"({"model":"tts-1","voice":"Echo","response_format":"opus"})").kind(),
        DecodingError::Kind::dataCorrupted);
}

TEST(AudioSpeechQuery, ListsVoicesAndFormatsInDeclarationOrderAndMatchesSpeedsExactly)
{
    EXPECT_EQ(allCases<Voice>(),
        (std::array{Voice::alloy, Voice::echo, Voice::fable, Voice::onyx, Voice::nova, Voice::shimmer}));
    EXPECT_EQ(allCases<Format>(), (std::array{Format::mp3, Format::opus, Format::aac, Format::flac}));
    EXPECT_EQ(AudioSpeechQuery::speedFromValue(0.25), AudioSpeechQuery::Speed::min);
    EXPECT_EQ(AudioSpeechQuery::speedFromValue(4.0), AudioSpeechQuery::Speed::max);
    EXPECT_EQ(AudioSpeechQuery::speedFromValue(1.5), std::nullopt);
}

TEST(AudioTranscriptionQuery, JsonFormUsesFieldNamesAndBase64AndLeavesOutNone)
{
    const AudioTranscriptionQuery minimal({'a', 'b', 'c'}, "a.wav", Model::whisper1);
    const Json json = encodeJson(minimal);
    EXPECT_EQ(json.dump(), R"({"file":"YWJj","fileName":"a.wav","model":"whisper-1"})");
    EXPECT_EQ(decodeJson<AudioTranscriptionQuery>(json), minimal);

    const AudioTranscriptionQuery full({0xFF}, "b.m4a", Model::whisper1, "prompt", 0.2, "sv", AudioResponseFormat::verboseJson);
    EXPECT_EQ(keysOf(encodeJson(full)),
        (std::vector<std::string>{"file", "fileName", "model", "responseFormat", "prompt", "temperature", "language"}));
    EXPECT_EQ(encodeJson(full)["responseFormat"], "verbose_json");
    EXPECT_EQ(decodeJson<AudioTranscriptionQuery>(encodeJson(full)), full);
    EXPECT_NE(full, minimal);

    EXPECT_EQ(decodingFailure<AudioTranscriptionQuery>(R"({"file":"not base64!","fileName":"a","model":"m"})").kind(),
        DecodingError::Kind::dataCorrupted);
}

TEST(AudioResults, ReadTheTextAloneAndFailWithoutIt)
{
    EXPECT_EQ(decoded<AudioTranscriptionResult>(R"({"text":""})").text, "");
    EXPECT_EQ(decoded<AudioTranslationResult>(R"({"text":"Hello.","segments":[{"id":0}],"language":"english"})").text,
        "Hello.");
    EXPECT_EQ(decodingFailure<AudioTranslationResult>(R"({"text":["Hello."]})").kind(), DecodingError::Kind::typeMismatch);
}

} // namespace
} // namespace brindlemoor
