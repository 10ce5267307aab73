#include "ai_service/client/openai.h"

#include <gtest/gtest.h>

#include <limits>
#include <mutex>

namespace brindlemoor {
namespace {

// A transport that keeps every started request and answers only when the test says so.
class RecordingSession final : public URLSessionProtocol {
public:
    struct Sent {
        URLRequest request;
        DataTaskCompletion completion;
    };

    std::shared_ptr<URLSessionDataTaskProtocol> dataTask(URLRequest request, DataTaskCompletion completion) override
    {
        class Task final : public URLSessionDataTaskProtocol {
        public:
            Task(RecordingSession& session, Sent sent) : session_(session), sent_(std::move(sent)) {}
            void resume() override { session_.sent.push_back(std::move(sent_)); }

        private:
            RecordingSession& session_;
            Sent sent_;
        };
        return std::make_shared<Task>(*this, Sent{std::move(request), std::move(completion)});
    }

    void reply(std::size_t index, std::string body) { sent.at(index).completion(std::move(body), HTTPURLResponse{}, nullptr); }

    std::vector<Sent> sent;
};

const std::string kModels = R"({"data":[{"id":"whisper-1","object":"model","owned_by":"system"}],"object":"list"})";

class OpenAIFormsTest : public ::testing::Test {
protected:
    static OpenAI::Configuration configuration()
    {
        OpenAI::Configuration configuration;
        configuration.token = "sk-test";
        return configuration;
    }

    std::shared_ptr<RecordingSession> session = std::make_shared<RecordingSession>();
    OpenAI client{configuration(), session};
};

TEST_F(OpenAIFormsTest, ATokenOnlyClientAddressesThePublicHostOverHttps)
{
    const OpenAI tokenOnly("abc");

    EXPECT_EQ(tokenOnly.configuration().token, "abc");
    EXPECT_FALSE(tokenOnly.configuration().organizationIdentifier);
    EXPECT_EQ(tokenOnly.configuration().timeoutInterval, 60.0);
    EXPECT_EQ(tokenOnly.buildURL("/v1/models/m1"), "https://api.openai.com/v1/models/m1");
    EXPECT_EQ(tokenOnly.buildURL("/v1/models/a b?#%é"), "https://api.openai.com/v1/models/a%20b%3F%23%25%C3%A9");
}

TEST_F(OpenAIFormsTest, ModelRequestsAreBodilessGetsOnTheirPaths)
{
    client.model(ModelQuery{"m1"}, [](Result<ModelResult>) {});
    client.models([](Result<ModelsResult>) {});

    ASSERT_EQ(session->sent.size(), 2u);
    EXPECT_EQ(session->sent[0].request.httpMethod, "GET");
    EXPECT_EQ(session->sent[0].request.url, "https://api.openai.com/v1/models/m1");
    EXPECT_FALSE(session->sent[0].request.httpBody);
    EXPECT_EQ(session->sent[1].request.url, "https://api.openai.com/v1/models");
    EXPECT_EQ(session->sent[1].request.value("Content-Type"), "application/json");
    EXPECT_EQ(session->sent[1].request.value("Authorization"), "Bearer sk-test");
}

TEST_F(OpenAIFormsTest, TheNonStreamedCompletionSendsTheQuerysOwnStreamFlag)
{
    CompletionsQuery query("davinci", "Say");
    query.stream = true;
    client.completions(query, [](Result<CompletionsResult>) {});

    ASSERT_EQ(session->sent.size(), 1u);
    EXPECT_EQ(session->sent[0].request.httpBody, R"({"model":"davinci","prompt":"Say","stream":true})");
}

TEST_F(OpenAIFormsTest, ABodyTheEncoderRefusesFailsOnceAndSendsNothing)
{
    int calls = 0;
    std::optional<Result<CompletionsResult>> outcome;
    client.completions(CompletionsQuery("davinci", "Say", std::numeric_limits<double>::infinity()),
                       [&](Result<CompletionsResult> result) {
                           ++calls;
                           outcome.emplace(std::move(result));
                       });

    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(outcome->errorAs<EncodingError>());
    EXPECT_TRUE(session->sent.empty());
}

TEST_F(OpenAIFormsTest, TheAwaitFormThrowsTheServicesErrorEnvelope)
{
    std::future<ModelsResult> models = client.models();
    session->reply(0, R"({"error":{"message":"Incorrect API key provided","type":"invalid_request_error"}})");

    try {
        models.get();
        FAIL() << "no error";
    } catch (const APIErrorResponse& error) {
        EXPECT_STREQ(error.what(), "Incorrect API key provided");
    }
}

TEST_F(OpenAIFormsTest, AFuturePublisherSendsAtCreationAndGivesEverySubscriberTheSameValue)
{
    FuturePublisher<ModelsResult> publisher = client.modelsPublisher();
    ASSERT_EQ(session->sent.size(), 1u);

    std::vector<std::string> early;
    Cancellable subscription = publisher.sink([&](const Result<ModelsResult>& r) { early.push_back(r.get().data[0].id); });
    session->reply(0, kModels);
    std::vector<std::string> late;
    Cancellable lateSubscription =
        publisher.sink([&](const Result<ModelsResult>& r) { late.push_back(r.get().data[0].id); });

    EXPECT_EQ(early, std::vector<std::string>{"whisper-1"});
    EXPECT_EQ(late, std::vector<std::string>{"whisper-1"});
    EXPECT_EQ(session->sent.size(), 1u);
}

TEST_F(OpenAIFormsTest, SpeechIsAwaitedAsTheRawReplyBytes)
{
    AudioSpeechQuery query("tts-1", "Hello", AudioSpeechQuery::AudioSpeechVoice::nova,
                           AudioSpeechQuery::AudioSpeechResponseFormat::mp3, 1.0);
    std::future<AudioSpeechResult> speech = client.audioCreateSpeech(query);
    ASSERT_EQ(session->sent.size(), 1u);
    EXPECT_EQ(session->sent[0].request.url, "https://api.openai.com/v1/audio/speech");
    session->reply(0, "MP3DATA");

    EXPECT_EQ(speech.get().audioData, (std::vector<std::uint8_t>{'M', 'P', '3', 'D', 'A', 'T', 'A'}));
}

} // namespace
} // namespace brindlemoor
