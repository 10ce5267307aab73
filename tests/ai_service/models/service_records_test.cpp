#include "ai_service/models/completions_query.h"
#include "ai_service/models/completions_result.h"
#include "ai_service/models/edits_query.h"
#include "ai_service/models/edits_result.h"
#include "ai_service/models/embeddings_query.h"
#include "ai_service/models/embeddings_result.h"
#include "ai_service/models/images_query.h"
#include "ai_service/models/images_result.h"
#include "ai_service/models/model_query.h"
#include "ai_service/models/models_result.h"
#include "ai_service/models/moderations_query.h"
#include "ai_service/models/moderations_result.h"
#include "json_test_helpers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <unordered_set>

namespace brindlemoor {
namespace {

using testing::decoded;
using testing::decodingFailure;
using testing::keysOf;
using Keys = std::vector<std::string>;

TEST(CompletionsQuery, WritesStreamThirdAndRequiresItWhenRead)
{
    EXPECT_EQ(encodeJson(CompletionsQuery("davinci", "Once")).dump(), R"({"model":"davinci","prompt":"Once","stream":false})");
    CompletionsQuery full("davinci", "Once", 0.7, 16, 1.0, 0.5, 0.25, Keys{"."}, "u");
    full.stream = true;
    EXPECT_EQ(keysOf(encodeJson(full)), (Keys{"model", "prompt", "stream", "temperature", "max_tokens", "top_p",
                                            "frequency_penalty", "presence_penalty", "stop", "user"}));
    EXPECT_TRUE(decodeJson<CompletionsQuery>(encodeJson(full)).stream);
    EXPECT_EQ(decodingFailure<CompletionsQuery>(R"({"model":"m","prompt":"p"})").kind(), DecodingError::Kind::keyNotFound);
}

TEST(CompletionsResult, StreamedChunksWithoutUsageDecodeAndFractionalIndexesFail)
{
    const auto chunk = decoded<CompletionsResult>(
        R"({"id":"c","object":"text_completion","created":1,"model":"m","choices":[{"text":" upon","index":0,"finish_reason":null}]})");
    EXPECT_EQ(chunk.created, 1.0);
    EXPECT_FALSE(chunk.usage.has_value());
    EXPECT_EQ(decodingFailure<CompletionsResult>(
                  R"({"id":"c","object":"o","created":1,"model":"m","choices":[{"text":"t","index":0.5}]})").kind(),
        DecodingError::Kind::dataCorrupted);
}

TEST(EditsRecords, QueryUsesCamelCaseTopPAndResultNeedsItsUsage)
{
    EXPECT_EQ(encodeJson(EditsQuery{.model = "m", .instruction = "fix"}).dump(), R"({"model":"m","instruction":"fix"})");
    EXPECT_EQ(keysOf(encodeJson(EditsQuery{.model = "m", .input = "i", .instruction = "x", .n = 1, .temperature = 0, .topP = 1})),
        (Keys{"model", "input", "instruction", "n", "temperature", "topP"}));
    EXPECT_EQ(decodingFailure<EditsResult>(R"({"object":"edit","created":1,"choices":[]})").kind(),
        DecodingError::Kind::keyNotFound);
    const std::string usage = R"("usage":{"prompt_tokens":1,"completion_tokens":2,"total_tokens":3})";
    EXPECT_EQ(decoded<EditsResult>(R"({"object":"edit","created":1,"choices":[],)" + usage + "}"),
        decoded<EditsResult>(R"({"created":1.0,"object":"edit",)" + usage + R"(,"choices":[]})"));
}

TEST(EmbeddingsRecords, QueryWritesModelThenInputAndVectorsCompareElementwise)
{
    EXPECT_EQ(encodeJson(EmbeddingsQuery{"text-embedding-3-small", "hello"}).dump(),
        R"({"model":"text-embedding-3-small","input":"hello"})");
    const auto result = decoded<EmbeddingsResult>(R"({"data":[{"object":"embedding","embedding":[],"index":0}],"model":"m",
        "usage":{"prompt_tokens":1,"completion_tokens":9,"total_tokens":1}})");
    EXPECT_TRUE(result.data[0].embedding.empty());
    EmbeddingsResult::Embedding a{"embedding", {0.1, 0.2}, 0};
    auto longer = a;
    longer.embedding.push_back(0.3);
    auto changed = a;
    changed.embedding[1] = 0.25;
    EXPECT_NE(a, longer);
    EXPECT_NE(a, changed);
}

TEST(ImagesRecords, QueryKeyOrderDiffersFromFieldOrder)
{
    EXPECT_EQ(encodeJson(ImagesQuery{.prompt = "a fox"}).dump(), R"({"prompt":"a fox"})");
    const ImagesQuery full{.prompt = "p", .model = "dall-e-3", .responseFormat = ImageResponseFormat::b64_json, .n = 1,
        .size = "1024x1024", .user = "u", .style = "vivid", .quality = "hd"};
    const Json json = encodeJson(full);
    EXPECT_EQ(keysOf(json), (Keys{"model", "prompt", "n", "size", "user", "style", "response_format", "quality"}));
    EXPECT_EQ(json["response_format"], "b64_json");
    EXPECT_EQ(decodingFailure<ImagesQuery>(R"({"prompt":"p","response_format":"URL"})").kind(),
        DecodingError::Kind::dataCorrupted);
}

TEST(ImagesRecords, UrlResultsHashAlikeWhenEqualAndKeepFieldsApart)
{
    const auto result = decoded<ImagesResult>(R"({"created":1,"data":[{"b64_json":"AAAA"},{"url":"https://x/y.png","b64_json":null}]})");
    EXPECT_FALSE(result.data[0].url.has_value());
    const std::hash<ImagesResult::URLResult> hash;
    const ImagesResult::URLResult sameAsFirst{.b64_json = "AAAA"};
    EXPECT_EQ(result.data[0], sameAsFirst);
    EXPECT_EQ(hash(result.data[0]), hash(sameAsFirst));
    const ImagesResult::URLResult swapped{.url = "AAAA"};
    EXPECT_NE(hash(swapped), hash(sameAsFirst));
    EXPECT_EQ((std::unordered_set<ImagesResult::URLResult>{sameAsFirst, swapped, sameAsFirst}.size()), 2u);
}

TEST(ModelRecords, OneIncompleteEntryFailsTheWholeList)
{
    EXPECT_EQ(encodeJson(ModelQuery{"whisper-1"}).dump(), R"({"model":"whisper-1"})");
    const auto error = decodingFailure<ModelsResult>(
        R"({"object":"list","data":[{"id":"a","object":"model","owned_by":"system"},{"id":"b","object":"model"}]})");
    EXPECT_EQ(describeCodingPath(error.codingPath()), "data[1].owned_by");
    EXPECT_TRUE(decoded<ModelsResult>(R"({"object":"list","data":[]})").data.empty());
    const ModelResult a{"whisper-1", "model", "openai"};
    const ModelResult b{"whisper-1", "model", "system"};
    EXPECT_NE(a, b);
    EXPECT_EQ(a.id, b.id);
    EXPECT_EQ(keysOf(encodeJson(a)), (Keys{"id", "object", "owned_by"}));
}

std::string categoryResult(const std::string& selfHarmKey, const std::string& score = "0.5")
{
    const auto fields = [&](const std::string& value) {
        return R"({"hate":)" + value + R"(,"hate/threatening":)" + value + R"(,")" + selfHarmKey + R"(":)" + value
            + R"(,"sexual":)" + value + R"(,"sexual/minors":)" + value + R"(,"violence":)" + value
            + R"(,"violence/graphic":)" + value + "}";
    };
    return R"({"categories":)" + fields("false") + R"(,"category_scores":)" + fields(score) + R"(,"flagged":false})";
}

TEST(ModerationsRecords, ReadCategoryKeysExactlyAsTheServiceSpellsThem)
{
    EXPECT_EQ(encodeJson(ModerationsQuery{"text", std::nullopt}).dump(), R"({"input":"text"})");
    const auto result = decoded<ModerationsResult>(
        R"({"id":"modr-1","model":"text-moderation-007","results":[)" + categoryResult("self-harm", "0.25") + "]}");
    EXPECT_EQ(result.results[0].categoryScores.selfHarm, 0.25);
    EXPECT_EQ(keysOf(encodeJson(result.results[0].categories))[2], "self-harm");
    EXPECT_EQ(decodeJson<ModerationsResult>(encodeJson(result)), result);

    const auto error = decodingFailure<ModerationsResult>(R"({"id":"m","model":"m","results":[)"
        + categoryResult("self-harm") + "," + categoryResult("self_harm") + "]}");
    EXPECT_EQ(error.kind(), DecodingError::Kind::keyNotFound);
    EXPECT_EQ(describeCodingPath(error.codingPath()), "results[1].categories.self-harm");
}

TEST(ModerationsRecords, OrderOfResultsAndNotANumberScoresMakeResultsUnequal)
{
    auto first = decoded<ModerationsResult::CategoryResult>(categoryResult("self-harm"));
    auto second = first;
    second.flagged = true;
    EXPECT_NE((ModerationsResult{"i", "m", {first, second}}), (ModerationsResult{"i", "m", {second, first}}));
    first.categoryScores.violence = std::nan("");
    EXPECT_NE(first, first);
}

} // namespace
} // namespace brindlemoor
