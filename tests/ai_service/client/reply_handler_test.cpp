#include "ai_service/client/reply_handler.h"
#include "ai_service/client/url_error.h"
#include "ai_service/models/audio_transcription_result.h"

#include <gtest/gtest.h>

namespace brindlemoor {
namespace {

Result<AudioTranscriptionResult> handle(std::optional<std::string> data, std::exception_ptr error = nullptr)
{
    std::optional<Result<AudioTranscriptionResult>> outcome;
    int calls = 0;
    ReplyHandler::decoding<AudioTranscriptionResult>(std::move(data), std::nullopt, error,
                                                     [&](Result<AudioTranscriptionResult> result) {
                                                         ++calls;
                                                         outcome.emplace(std::move(result));
                                                     });
    EXPECT_EQ(calls, 1);
    return *outcome;
}

Result<AudioSpeechResult> handleRaw(std::optional<std::string> data, std::exception_ptr error = nullptr)
{
    std::optional<Result<AudioSpeechResult>> outcome;
    ReplyHandler::rawBytes(std::move(data), std::nullopt, error,
                           [&](Result<AudioSpeechResult> result) { outcome.emplace(std::move(result)); });
    return *outcome;
}

TEST(ReplyHandlerTest, DecodesTheRecordAndIgnoresKeysItDoesNotName)
{
    auto result = handle(R"({"text":"hello","segments":[1,2]})");
    ASSERT_TRUE(result.isSuccess());
    EXPECT_EQ(result.get().text, "hello");
}

TEST(ReplyHandlerTest, ATransportErrorWinsOverBytesAndNoBytesIsEmptyData)
{
    auto transport = handle(R"({"text":"ignored"})",
                            std::make_exception_ptr(URLError(URLError::Code::timedOut, "")));
    ASSERT_TRUE(transport.errorAs<URLError>());
    EXPECT_EQ(transport.errorAs<URLError>()->code(), URLError::Code::timedOut);

    auto nothing = handle(std::nullopt);
    ASSERT_TRUE(nothing.errorAs<OpenAIError>());
    EXPECT_EQ(nothing.errorAs<OpenAIError>()->code(), OpenAIError::Code::emptyData);
}

TEST(ReplyHandlerTest, TheErrorEnvelopeBecomesTheFailureWithTheServicesMessage)
{
    auto result = handle(R"({"error":{"message":"m","type":"t"}})");
    auto envelope = result.errorAs<APIErrorResponse>();
    ASSERT_TRUE(envelope);
    EXPECT_EQ(envelope->error, APIError("m", "t"));
    EXPECT_EQ(envelope->error.param, std::nullopt);
    EXPECT_EQ(envelope->error.code, std::nullopt);
    EXPECT_EQ(errorDescription(result.error()), "m");
}

TEST(ReplyHandlerTest, AMessageGivenAsALineListIsJoinedWithLineFeeds)
{
    auto result = handle(R"({"error":{"message":["a","b"],"type":"t","code":"c"}})");
    ASSERT_TRUE(result.errorAs<APIErrorResponse>());
    EXPECT_EQ(result.errorAs<APIErrorResponse>()->error.message, "a\nb");
    EXPECT_EQ(result.errorAs<APIErrorResponse>()->error.code, "c");
}

TEST(ReplyHandlerTest, AMessageOfAnotherTypeFailsTheEnvelopeSoTheRecordsErrorIsReported)
{
    auto result = handle(R"({"error":{"message":42,"type":"t"}})");
    auto error = result.errorAs<DecodingError>();
    ASSERT_TRUE(error);
    EXPECT_EQ(error->kind(), DecodingError::Kind::keyNotFound);
    EXPECT_EQ(describeCodingPath(error->codingPath()), "text");
}

TEST(ReplyHandlerTest, TheEnvelopesOwnMessageErrorNamesBothAcceptedForms)
{
    try {
        decodeJsonText<APIErrorResponse>(R"({"error":{"message":null,"type":"t"}})");
        FAIL() << "decoded";
    } catch (const DecodingError& error) {
        EXPECT_EQ(error.kind(), DecodingError::Kind::typeMismatch);
        EXPECT_EQ(error.debugDescription(), "message: expected String or [String]");
        EXPECT_EQ(describeCodingPath(error.codingPath()), "error.message");
    }
}

TEST(ReplyHandlerTest, NeitherRecordNorEnvelopeGivesTheRecordsDecodingError)
{
    EXPECT_TRUE(handle("<html><body>502 Bad Gateway</body></html>").errorAs<DecodingError>());
    EXPECT_TRUE(handle("").errorAs<DecodingError>());
}

TEST(ReplyHandlerTest, SpeechRepliesAreTheBytesAsTheyCame)
{
    const std::string audio("ID3\0\x01\xFF", 6);
    auto result = handleRaw(audio);
    ASSERT_TRUE(result.isSuccess());
    EXPECT_EQ(result.get().audioData, std::vector<std::uint8_t>(audio.begin(), audio.end()));
    EXPECT_TRUE(handleRaw(std::nullopt).errorAs<OpenAIError>());
}

// An error document must not reach the caller as if it were audio.
TEST(ReplyHandlerTest, ASpeechReplyThatIsTheErrorEnvelopeIsAFailure)
{
    auto result = handleRaw(R"({"error":{"message":"Invalid voice","type":"invalid_request_error"}})");
    ASSERT_TRUE(result.errorAs<APIErrorResponse>());
    EXPECT_EQ(errorDescription(result.error()), "Invalid voice");
}

} // namespace
} // namespace brindlemoor
