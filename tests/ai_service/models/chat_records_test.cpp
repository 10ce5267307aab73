#include "ai_service/models/chat_query.h"
#include "ai_service/models/chat_result.h"
#include "ai_service/models/chat_stream_result.h"
#include "ai_service/models/model.h"
#include "json_test_helpers.h"

#include <gtest/gtest.h>

namespace brindlemoor {
namespace {

using testing::decoded;
using testing::decodingFailure;
using testing::keysOf;
using Role = Chat::Role;
using Keys = std::vector<std::string>;

TEST(ChatMessage, WritesContentOnlyWhenGivenOrAsNullForAFunctionCallingAssistant)
{
    EXPECT_EQ(encodeJson(Chat{.role = Role::user, .content = "hi"}).dump(), R"({"role":"user","content":"hi"})");
    EXPECT_EQ(encodeJson(Chat{.role = Role::assistant, .functionCall = ChatFunctionCall{"f", "{\"a\":1}"}}).dump(),
        R"({"role":"assistant","function_call":{"name":"f","arguments":"{\"a\":1}"},"content":null})");
    EXPECT_EQ(encodeJson(Chat{.role = Role::assistant}).dump(), R"({"role":"assistant"})");
    EXPECT_EQ(encodeJson(Chat{.role = Role::system}).dump(), R"({"role":"system"})");
    EXPECT_EQ(keysOf(encodeJson(Chat{.role = Role::function, .content = "42", .name = "f"})), (Keys{"role", "name", "content"}));
    EXPECT_EQ(encodeJson(Chat{.role = Role::user, .functionCall = ChatFunctionCall{}}).dump(),
        R"({"role":"user","function_call":{}})");
}

TEST(ChatMessage, DecodesNullContentAsNoneAndRefusesUnknownRoles)
{
    auto message = decoded<Chat>(R"({"role":"user","content":null})");
    EXPECT_FALSE(message.content.has_value());
    EXPECT_EQ(encodeJson(message).dump(), R"({"role":"user"})");
    EXPECT_EQ(decodingFailure<Chat>(R"({"role":"User"})").kind(), DecodingError::Kind::dataCorrupted);
    EXPECT_EQ(decodingFailure<Chat>(R"({"content":"x"})").kind(), DecodingError::Kind::keyNotFound);
    EXPECT_EQ(decoded<ChatFunctionCall>("{}"), ChatFunctionCall{});
    EXPECT_NE((Chat{.role = Role::user, .name = "a"}), (Chat{.role = Role::user, .name = "b"}));
    EXPECT_EQ(fromWireString<Chat::CodingKeys>("function_call"), Chat::CodingKeys::functionCall);
    EXPECT_EQ(fromWireString<Chat::CodingKeys>("functionCall"), std::nullopt);
}

JSONSchema weatherSchema()
{
    return JSONSchema{.type = JSONSchema::JSONType::object,
        .properties = std::map<std::string, JSONSchema::Property>{
            {"city", {.type = JSONSchema::JSONType::string, .description = "City name"}},
            {"days",
                {.type = JSONSchema::JSONType::array,
                    .items = JSONSchema::Items{.type = JSONSchema::JSONType::object,
                        .properties = std::map<std::string, JSONSchema::Property>{
                            {"unit", {.type = JSONSchema::JSONType::string, .enumValues = Keys{"c", "f"}}}}},
                    .minItems = 1,
                    .maxItems = 3,
                    .uniqueItems = true}},
        },
        .required = Keys{"city"}};
}

ChatQuery fullQuery()
{
    return ChatQuery(Model::gpt4, {Chat{.role = Role::user, .content = "weather?"}}, ResponseFormat::jsonObject,
        std::vector<ChatFunctionDeclaration>{{"get_weather", "Looks up the weather", weatherSchema()}},
        ChatQuery::FunctionCall::automatic(), 0.5, 1.0, 2, Keys{"\n"}, 100, 0.0, 0.1,
        std::map<std::string, std::int64_t>{{"50256", -100}}, "u1", false);
}

TEST(ChatQuery, WritesKeysInKeySetOrderNotFieldOrder)
{
    const Json json = encodeJson(fullQuery());
    EXPECT_EQ(keysOf(json),
        (Keys{"model", "messages", "functions", "function_call", "temperature", "top_p", "n", "stream", "stop",
            "max_tokens", "presence_penalty", "frequency_penalty", "logit_bias", "user", "response_format"}));
    EXPECT_EQ(json["function_call"], "auto");
    EXPECT_EQ(json["response_format"].dump(), R"({"type":"json_object"})");
    EXPECT_EQ(json["logit_bias"].dump(), R"({"50256":-100})");

    EXPECT_EQ(encodeJson(ChatQuery(Model::gpt35Turbo, {})).dump(), R"({"model":"gpt-3.5-turbo","messages":[],"stream":false})");
}

TEST(ChatQuery, FunctionCallIsWrittenAsStringOrNameButReadOnlyInOneKeyObjectForm)
{
    EXPECT_EQ(encodeJson(ChatQuery::FunctionCall::none()), "none");
    EXPECT_EQ(encodeJson(ChatQuery::FunctionCall::function("f")).dump(), R"({"name":"f"})");

    const auto withCall = [](const std::string& call) {
        return R"({"model":"m","messages":[],"stream":true,"function_call":)" + call + "}";
    };
    EXPECT_EQ(decoded<ChatQuery>(withCall(R"({"auto":{}})")).functionCall, ChatQuery::FunctionCall::automatic());
    EXPECT_EQ(decoded<ChatQuery>(withCall(R"({"auto":{},"other":1})")).functionCall, ChatQuery::FunctionCall::automatic());
    EXPECT_EQ(decoded<ChatQuery>(withCall(R"({"name":{"_0":"f"}})")).functionCall, ChatQuery::FunctionCall::function("f"));
    EXPECT_EQ(decodingFailure<ChatQuery>(withCall(R"("auto")")).kind(), DecodingError::Kind::typeMismatch);
    for (const auto* call : {R"({"none":{},"auto":{}})", R"({"other":{}})"}) {
        const auto error = decodingFailure<ChatQuery>(withCall(call));
        EXPECT_EQ(error.kind(), DecodingError::Kind::typeMismatch);
        EXPECT_EQ(error.debugDescription(), "Invalid number of keys found, expected one.");
        EXPECT_EQ(describeCodingPath(error.codingPath()), "function_call");
    }
}

TEST(ChatQuery, RoundTripsWithoutFunctionCallAndRequiresStream)
{
    auto query = fullQuery();
    query.functionCall.reset();
    EXPECT_EQ(decodeJson<ChatQuery>(encodeJson(query)), query);

    ChatQuery streamed = query;
    streamed.stream = true;
    EXPECT_FALSE(query.stream);
    EXPECT_NE(streamed, query);

    const auto error = decodingFailure<ChatQuery>(R"({"model":"m","messages":[]})");
    EXPECT_EQ(error.kind(), DecodingError::Kind::keyNotFound);
    EXPECT_EQ(describeCodingPath(error.codingPath()), "stream");
}

TEST(JSONSchema, WritesSchemaKeywordsAndNestsItemsToAnyDepth)
{
    EXPECT_EQ(encodeJson(JSONSchema{.type = JSONSchema::JSONType::object}).dump(), R"({"type":"object"})");
    const Json json = encodeJson(weatherSchema());
    EXPECT_EQ(keysOf(json["properties"]["days"]), (Keys{"type", "items", "minItems", "maxItems", "uniqueItems"}));
    EXPECT_EQ(json["properties"]["days"]["items"]["properties"]["unit"]["enum"].dump(), R"(["c","f"])");
    EXPECT_EQ(decodeJson<JSONSchema>(json), weatherSchema());

    auto deeper = weatherSchema();
    deeper.properties->at("days").items = JSONSchema::Items{.type = JSONSchema::JSONType::string};
    EXPECT_NE(deeper, weatherSchema());
    auto copy = deeper;
    EXPECT_EQ(copy, deeper);

    auto& days = deeper.properties->at("days");
    const auto movedItems = std::move(days.items);
    EXPECT_EQ((*movedItems)->type, JSONSchema::JSONType::string);
    EXPECT_EQ(decodeJson<JSONSchema>(encodeJson(deeper)), deeper);
}

TEST(JSONSchema, TopLevelBoundsAreWholeNumbersWhilePropertyBoundsMayBeFractional)
{
    EXPECT_EQ(decodingFailure<JSONSchema>(R"({"type":"object","minimum":1.5})").kind(), DecodingError::Kind::dataCorrupted);
    const auto schema = decoded<JSONSchema>(R"({"type":"object","properties":{"p":{"type":"null","minimum":1.5}}})");
    EXPECT_EQ(schema.properties->at("p").minimum, 1.5);
    EXPECT_EQ(schema.properties->at("p").type, JSONSchema::JSONType::null);
    const auto nestedError = decodingFailure<JSONSchema>(
        R"({"type":"object","properties":{"p":{"type":"array","items":{"type":"Object"}}}})");
    EXPECT_EQ(describeCodingPath(nestedError.codingPath()), "properties.p.items.type");
}

TEST(JSONSchema, ComparesPropertiesAsMapsButRequiredNamesInOrder)
{
    EXPECT_EQ(decoded<JSONSchema>(R"({"type":"object","properties":{"a":{"type":"string"},"b":{"type":"integer"}}})"),
        decoded<JSONSchema>(R"({"type":"object","properties":{"b":{"type":"integer"},"a":{"type":"string"}}})"));
    EXPECT_NE(decoded<JSONSchema>(R"({"type":"object","required":["a","b"]})"),
        decoded<JSONSchema>(R"({"type":"object","required":["b","a"]})"));
}

constexpr const char* kChatReply = R"({"id":"chatcmpl-1","object":"chat.completion","created":1700000000.5,"model":"gpt-4",
    "choices":[{"index":0,"message":{"role":"assistant","content":null,"function_call":{"name":"f","arguments":"{}"}},
    "finish_reason":null}],"usage":{"prompt_tokens":5,"completion_tokens":7,"total_tokens":12}})";

TEST(ChatResult, KeepsFractionalTimestampsAndRewritesFunctionCallMessagesWithNullContent)
{
    const auto result = decoded<ChatResult>(kChatReply);
    EXPECT_EQ(result.created, 1700000000.5);
    EXPECT_FALSE(result.choices[0].message.content.has_value());
    EXPECT_FALSE(result.choices[0].finishReason.has_value());
    EXPECT_EQ(result.usage->totalTokens, 12);
    const Json again = encodeJson(result);
    EXPECT_EQ(keysOf(again["choices"][0]), (Keys{"index", "message"}));
    EXPECT_TRUE(again["choices"][0]["message"]["content"].is_null());
    EXPECT_EQ(decodeJson<ChatResult>(again), result);
}

TEST(ChatResult, ComparesChoicesInOrder)
{
    auto result = decoded<ChatResult>(kChatReply);
    auto second = result.choices[0];
    second.index = 1;
    result.choices.push_back(second);
    auto reversed = result;
    std::swap(reversed.choices[0], reversed.choices[1]);
    EXPECT_NE(result, reversed);
    EXPECT_TRUE(decoded<ChatResult>(R"({"id":"x","object":"o","created":1,"model":"m","choices":[]})").choices.empty());
}

TEST(ChatStreamResult, ReadsSparseDeltasAndWritesOnlyWhatTheyHold)
{
    const auto chunk = decoded<ChatStreamResult>(R"({"id":"c","object":"chat.completion.chunk","created":1,"model":"m",
        "choices":[{"index":0,"delta":{},"finish_reason":null},
                   {"index":1,"delta":{"function_call":{"arguments":"{\"ci"}},"finish_reason":"function_call"}]})");
    EXPECT_EQ(chunk.choices[0].delta, ChatStreamResult::Choice::Delta{});
    EXPECT_FALSE(chunk.choices[0].finishReason.has_value());
    EXPECT_EQ(chunk.choices[1].delta.functionCall->arguments, "{\"ci");
    EXPECT_FALSE(chunk.choices[1].delta.role.has_value());
    EXPECT_EQ(chunk.choices[1].finishReason, "function_call");

    EXPECT_EQ(encodeJson(ChatStreamResult::Choice::Delta{.content = "He"}).dump(), R"({"content":"He"})");
    EXPECT_EQ(keysOf(encodeJson(ChatStreamResult::Choice::Delta{.content = "x", .role = Role::assistant})),
        (Keys{"role", "content"}));

    EXPECT_EQ(decodingFailure<ChatStreamResult>(
                  R"({"id":"c","object":"o","created":1,"model":"m","choices":[{"index":0}]})").kind(),
        DecodingError::Kind::keyNotFound);
    EXPECT_EQ(decodingFailure<ChatStreamResult>(
                  R"({"id":"c","object":"o","created":1,"model":"m","choices":[{"index":0,"delta":{"role":"robot"}}]})")
                  .kind(),
        DecodingError::Kind::dataCorrupted);
}

} // namespace
} // namespace brindlemoor
