#include "ai_service/models/audio_response_format.h"
#include "ai_service/models/audio_transcription_result.h"
#include "ai_service/models/base64.h"
#include "ai_service/models/chat_result.h"
#include "ai_service/models/completions_result.h"
#include "ai_service/models/decimal_text.h"
#include "ai_service/models/edits_query.h"
#include "ai_service/models/edits_result.h"
#include "ai_service/models/embeddings_result.h"
#include "ai_service/models/model.h"
#include "json_test_helpers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>

namespace brindlemoor {
namespace {

using testing::decoded;
using testing::decodingFailure;
using testing::keysOf;
using Kind = DecodingError::Kind;

constexpr const char* kChoiceReply = R"({"id":"c1","object":"text_completion","created":1700000000,"model":"m",
    "choices":[{"text":"a","index":0},{"text":"b","index":1,"finish_reason":"stop"}],"extra":{"x":1}})";

TEST(RecordDecoding, IgnoresKeysOutsideTheTableAndReadsNullOrMissingOptionalsAsNone)
{
    const auto result = decoded<CompletionsResult>(kChoiceReply);
    EXPECT_EQ(result.choices.size(), 2u);
    EXPECT_FALSE(result.usage.has_value());
    EXPECT_FALSE(result.choices[0].finishReason.has_value());
    EXPECT_EQ(result.choices[1].finishReason, "stop");
    EXPECT_EQ(keysOf(encodeJson(result)), (std::vector<std::string>{"id", "object", "created", "model", "choices"}));

    const auto withNullUsage = decoded<ChatResult>(
        R"({"id":"x","object":"o","created":1,"model":"m","choices":[],"usage":null})");
    EXPECT_FALSE(withNullUsage.usage.has_value());
}

TEST(RecordDecoding, RequiredFieldFailuresNameTheirKindAndPath)
{
    const auto missing = decodingFailure<AudioTranscriptionResult>(R"({"segments":[]})");
    EXPECT_EQ(missing.kind(), Kind::keyNotFound);
    EXPECT_EQ(describeCodingPath(missing.codingPath()), "text");

    const auto null = decodingFailure<AudioTranscriptionResult>(R"({"text":null})");
    EXPECT_EQ(null.kind(), Kind::valueNotFound);

    const auto wrongType = decodingFailure<AudioTranscriptionResult>(R"({"text":12})");
    EXPECT_EQ(wrongType.kind(), Kind::typeMismatch);

    const auto notAnObject = decodingFailure<AudioTranscriptionResult>(R"(["text"])");
    EXPECT_EQ(notAnObject.kind(), Kind::typeMismatch);
    EXPECT_TRUE(notAnObject.codingPath().empty());

    const auto notJson = decodingFailure<AudioTranscriptionResult>("{\"text\":");
    EXPECT_EQ(notJson.kind(), Kind::dataCorrupted);
}

TEST(RecordDecoding, OneFailingElementDeepInAnArrayFailsTheWholeReply)
{
    const auto error = decodingFailure<ChatResult>(R"({"id":"x","object":"o","created":1,"model":"m","choices":[
        {"index":0,"message":{"role":"assistant","content":"fine"}},
        {"index":1,"message":{"role":"Assistant","content":"bad role"}}]})");
    EXPECT_EQ(error.kind(), Kind::dataCorrupted);
    EXPECT_EQ(describeCodingPath(error.codingPath()), "choices[1].message.role");
    EXPECT_NE(std::string(error.what()).find("choices[1].message.role"), std::string::npos);

    const auto usageError = decodingFailure<ChatResult>(
        R"({"id":"x","object":"o","created":1,"model":"m","choices":[],"usage":{"prompt_tokens":1,"completion_tokens":2}})");
    EXPECT_EQ(usageError.kind(), Kind::keyNotFound);
    EXPECT_EQ(describeCodingPath(usageError.codingPath()), "usage.total_tokens");
}

TEST(RecordDecoding, IntegersMustBeWholeAndFitSixtyFourBits)
{
    const auto reply = [](const std::string& index) {
        return R"({"object":"o","created":1,"choices":[{"text":"t","index":)" + index
            + R"(}],"usage":{"prompt_tokens":1,"completion_tokens":1,"total_tokens":2}})";
    };
    EXPECT_EQ(decoded<EditsResult>(reply("9223372036854775807")).choices[0].index, std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(decoded<EditsResult>(reply("-9223372036854775808")).choices[0].index, std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(decoded<EditsResult>(reply("2.0")).choices[0].index, 2);
    EXPECT_EQ(decodingFailure<EditsResult>(reply("1.5")).kind(), Kind::dataCorrupted);
    EXPECT_EQ(decodingFailure<EditsResult>(reply("9223372036854775808")).kind(), Kind::dataCorrupted);
    EXPECT_EQ(decodingFailure<EditsResult>(reply("1e19")).kind(), Kind::dataCorrupted);
    EXPECT_EQ(decodingFailure<EditsResult>(reply("\"1\"")).kind(), Kind::typeMismatch);
    EXPECT_EQ(decodingFailure<EditsResult>(reply("true")).kind(), Kind::typeMismatch);
}

TEST(RecordDecoding, DoublesAcceptAnyNumberButNothingElse)
{
    const auto whole = decoded<EmbeddingsResult>(
        R"({"data":[{"object":"embedding","embedding":[1,-2.5,3e-3],"index":0}],"model":"m","usage":{"prompt_tokens":1,"total_tokens":1}})");
    EXPECT_EQ(whole.data[0].embedding, (std::vector<double>{1.0, -2.5, 0.003}));
    const auto error = decodingFailure<EmbeddingsResult>(
        R"({"data":[{"object":"embedding","embedding":[1,"2"],"index":0}],"model":"m","usage":{"prompt_tokens":1,"total_tokens":1}})");
    EXPECT_EQ(error.kind(), Kind::typeMismatch);
    EXPECT_EQ(describeCodingPath(error.codingPath()), "data[0].embedding[1]");
}

TEST(RecordEncoding, ValuesJsonCannotCarryFailWithThePathAndNothingPartial)
{
    EditsQuery query{.model = "m", .instruction = "i", .temperature = std::nan("")};
    try {
        encodeJson(query);
        FAIL() << "a NaN temperature was written";
    } catch (const EncodingError& error) {
        EXPECT_EQ(error.kind(), EncodingError::Kind::invalidValue);
        EXPECT_EQ(describeCodingPath(error.codingPath()), "temperature");
    }

    EditsQuery badText{.model = "m", .input = std::string("caf\xC3", 4), .instruction = "i"};
    EXPECT_THROW(encodeJsonText(badText), EncodingError);
    EditsQuery overlong{.model = "m", .input = std::string("\xC0\xAF"), .instruction = "i"};
    EXPECT_THROW(encodeJsonText(overlong), EncodingError);
    EditsQuery multilingual{.model = "m", .input = "Grüße, 你好, 🎙", .instruction = "i"};
    EXPECT_EQ(decoded<EditsQuery>(encodeJsonText(multilingual)).input, multilingual.input);
}

TEST(WireStringEnumerations, MatchExactlyAndKeepDeclarationOrder)
{
    EXPECT_EQ(fromWireString<AudioResponseFormat>("verbose_json"), AudioResponseFormat::verboseJson);
    EXPECT_EQ(fromWireString<AudioResponseFormat>("verboseJson"), std::nullopt);
    EXPECT_EQ(fromWireString<AudioResponseFormat>("JSON"), std::nullopt);
    EXPECT_EQ(wireString(ChatResult::Usage::CodingKeys::totalTokens), "total_tokens");
    EXPECT_EQ(WireStringHash<AudioResponseFormat>{}(AudioResponseFormat::srt), std::hash<std::string_view>{}("srt"));
}

TEST(ByteBuffers, TravelAsPaddedBase64AndRefuseAnythingElse)
{
    for (const std::vector<std::uint8_t>& bytes : std::vector<std::vector<std::uint8_t>>{
             {}, {0}, {0xFF, 0xFE}, {'a', 'b', 'c'}, {1, 2, 3, 4, 5, 6, 7}}) {
        EXPECT_EQ(base64Decoded(base64Encoded(bytes)), bytes);
    }
    EXPECT_EQ(base64Encoded({'M', 'a'}), "TWE=");
    EXPECT_EQ(base64Decoded("TWE"), std::nullopt);
    EXPECT_EQ(base64Decoded("T=WE"), std::nullopt);
    EXPECT_EQ(base64Decoded("TW=E"), std::nullopt);
    EXPECT_EQ(base64Decoded("TWE!"), std::nullopt);
}

TEST(DecimalText, IsShortestWithAPointWhereNoExponent)
{
    EXPECT_EQ(decimalText(0.0), "0.0");
    EXPECT_EQ(decimalText(1.0), "1.0");
    EXPECT_EQ(decimalText(0.2), "0.2");
    EXPECT_EQ(decimalText(1.25), "1.25");
    EXPECT_EQ(decimalText(-3.0), "-3.0");
    EXPECT_EQ(decimalText(0.1 + 0.2), "0.30000000000000004");
    EXPECT_EQ(std::stod(decimalText(1e300)), 1e300);
}

TEST(ModelNames, AreTheServiceSpellingsAndPairwiseDistinct)
{
    EXPECT_EQ(Model::whisper1, "whisper-1");
    EXPECT_EQ(Model::tts1HD, "tts-1-hd");
    EXPECT_EQ(Model::gpt35Turbo, "gpt-3.5-turbo");
    const std::set<std::string> names{Model::gpt4TurboPreview, Model::gpt4VisionPreview, Model::gpt4_0125Preview,
        Model::gpt4_1106Preview, Model::gpt4, Model::gpt4_0613, Model::gpt4_0314, Model::gpt4_32k, Model::gpt4_32k_0613,
        Model::gpt4_32k_0314, Model::gpt35Turbo, Model::gpt35Turbo0125, Model::gpt35Turbo1106, Model::gpt35Turbo0613,
        Model::gpt35Turbo0301, Model::gpt35Turbo16k, Model::gpt35Turbo16k_0613, Model::textDavinci003,
        Model::textDavinci002, Model::textCurie001, Model::textBabbage001, Model::textAda001, Model::textDavinci001,
        Model::codeDavinciEdit001, Model::tts1, Model::tts1HD, Model::whisper1, Model::dallE2, Model::dallE3,
        Model::davinci, Model::curie, Model::babbage, Model::ada, Model::textEmbeddingAda002, Model::textSearchAdaDoc001,
        Model::textSearchBabbageDoc001, Model::textSearchBabbageQuery001, Model::textEmbedding3Small,
        Model::textEmbedding3Large, Model::textModerationStable, Model::textModerationLatest, Model::textModeration007};
    EXPECT_EQ(names.size(), 42u);
}

} // namespace
} // namespace brindlemoor
