#include "ai_service/client/json_request.h"
#include "ai_service/client/multipart_form_data_request.h"
#include "ai_service/models/audio_transcription_query.h"
#include "ai_service/models/audio_transcription_result.h"

#include <gtest/gtest.h>

#include <limits>

namespace brindlemoor {
namespace {

const AudioTranscriptionQuery kQuery(Bytes{1, 2, 3}, "a.wav", "whisper-1");

TEST(RequestBuildingTest, AJsonRequestWithoutBodyStillCarriesItsHeaders)
{
    const URLRequest request =
        JSONRequest<AudioTranscriptionResult>("https://h/v1/models", "GET").build("", std::nullopt, 60.0);

    EXPECT_EQ(request.httpMethod, "GET");
    EXPECT_FALSE(request.httpBody);
    EXPECT_EQ(request.value("Content-Type"), "application/json");
    EXPECT_EQ(request.value("Authorization"), "Bearer ");
    EXPECT_FALSE(request.value("OpenAI-Organization"));
    EXPECT_EQ(request.timeoutInterval, 60.0);
    EXPECT_EQ(request.cachePolicy, 0);
}

TEST(RequestBuildingTest, AJsonRequestCarriesTheBodyTokenAndOrganisation)
{
    const URLRequest request =
        JSONRequest<AudioTranscriptionResult>(AudioTranscriptionResult{"hi"}, "https://h/x", "POST")
            .build("sk-1", "org 7", 12.5);

    EXPECT_EQ(request.httpBody, R"({"text":"hi"})");
    EXPECT_EQ(request.value("Authorization"), "Bearer sk-1");
    EXPECT_EQ(request.value("OpenAI-Organization"), "org 7");
    EXPECT_EQ(request.timeoutInterval, 12.5);
    EXPECT_EQ(request.headers.size(), 3u);
}

TEST(RequestBuildingTest, ABodyTheEncoderRefusesFailsTheBuild)
{
    const AudioTranscriptionQuery bad(Bytes{}, "a.wav", "whisper-1", std::nullopt,
                                      std::numeric_limits<double>::quiet_NaN());
    const JSONRequest<AudioTranscriptionResult> request(bad, "https://h/x", "POST");

    EXPECT_THROW(request.build("t", std::nullopt, 60.0), EncodingError);
}

TEST(RequestBuildingTest, EachMultipartRequestHasItsOwnBoundaryUsedInItsBody)
{
    const MultipartFormDataRequest<AudioTranscriptionResult> request(kQuery, "https://h/x", "POST");
    const URLRequest first = request.build("t", "o", 5.0);
    const URLRequest second = request.build("t", "o", 5.0);

    const std::string prefix = "multipart/form-data; boundary=";
    const std::string firstBoundary = first.value("Content-Type")->substr(prefix.size());
    const std::string secondBoundary = second.value("Content-Type")->substr(prefix.size());
    EXPECT_NE(firstBoundary, secondBoundary);
    EXPECT_EQ(firstBoundary.size(), 36u);
    EXPECT_EQ(firstBoundary.find_first_of("abcdef"), std::string::npos);
    EXPECT_EQ(first.httpBody->rfind("--" + firstBoundary + "--\r\n"), first.httpBody->size() - 42);
    EXPECT_EQ(first.timeoutInterval, 5.0);
    EXPECT_EQ(first.value("Authorization"), "Bearer t");
    EXPECT_EQ(first.value("OpenAI-Organization"), "o");
    EXPECT_EQ(first.httpMethod, "POST");
}

} // namespace
} // namespace brindlemoor
