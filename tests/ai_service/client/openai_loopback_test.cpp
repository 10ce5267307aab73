#include "ai_service/client/curl_session.h"
#include "ai_service/client/openai.h"
#include "ai_service/client/url_error.h"
#include "loopback_server.h"
#include "support/child_process.h"

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <filesystem>
#include <mutex>

namespace brindlemoor {
namespace {

using brindlemoor::testing::LoopbackServer;
using brindlemoor::testing::waitUntil;

std::size_t threadCount()
{
    return static_cast<std::size_t>(
        std::distance(std::filesystem::directory_iterator("/proc/self/task"), std::filesystem::directory_iterator{}));
}

std::string completionJson(const std::string& text)
{
    return R"({"id":"c1","object":"text_completion","created":1,"model":"davinci","choices":[{"text":")" + text
        + R"(","index":0,"finish_reason":null}]})";
}

// What the server saw of the last request.
struct Seen {
    std::mutex mutex;
    httplib::Request request;

    void keep(const httplib::Request& seen)
    {
        std::lock_guard lock(mutex);
        request = seen;
    }
};

class OpenAILoopbackTest : public ::testing::Test {
protected:
    OpenAI::Configuration configuration(double timeout = 10.0)
    {
        return OpenAI::Configuration{.token = "sk-loop", .organizationIdentifier = std::nullopt, .host = "127.0.0.1",
                                     .timeoutInterval = timeout, .scheme = "http", .port = loopback.port()};
    }

    // Each event is written by itself, so the client gets them in separate arrivals.
    void serveEvents(const std::string& path, std::vector<std::string> writes)
    {
        loopback.server.Post(path, [writes](const httplib::Request&, httplib::Response& response) {
            response.set_chunked_content_provider("text/event-stream", [writes](std::size_t, httplib::DataSink& sink) {
                for (const auto& piece : writes) {
                    sink.write(piece.data(), piece.size());
                    std::this_thread::sleep_for(std::chrono::milliseconds(5));
                }
                sink.done();
                return true;
            });
        });
    }

    LoopbackServer loopback;
    Seen seen;
};

TEST_F(OpenAILoopbackTest, AJsonRequestArrivesWithItsHeadersAndBodyAndItsReplyIsDecoded)
{
    loopback.server.Post("/v1/completions", [&](const httplib::Request& request, httplib::Response& response) {
        seen.keep(request);
        response.set_content(completionJson("Hi"), "application/json");
    });
    loopback.start();
    auto config = configuration();
    config.organizationIdentifier = "org-9";
    OpenAI client(config);

    CompletionsResult result = client.completions(CompletionsQuery("davinci", "Say hi", 0.5)).get();

    EXPECT_EQ(result.choices.at(0).text, "Hi");
    std::lock_guard lock(seen.mutex);
    EXPECT_EQ(seen.request.method, "POST");
    EXPECT_EQ(seen.request.get_header_value("Authorization"), "Bearer sk-loop");
    EXPECT_EQ(seen.request.get_header_value("OpenAI-Organization"), "org-9");
    EXPECT_EQ(seen.request.get_header_value("Content-Type"), "application/json");
    EXPECT_EQ(seen.request.body, R"({"model":"davinci","prompt":"Say hi","stream":false,"temperature":0.5})");
}

TEST_F(OpenAILoopbackTest, GetRequestsHaveNoBodyAndNoOrganisationHeaderWhenNoneIsSet)
{
    loopback.server.Get("/v1/models/m1", [&](const httplib::Request& request, httplib::Response& response) {
        seen.keep(request);
        response.set_content(R"({"id":"m1","object":"model","owned_by":"me"})", "application/json");
    });
    loopback.start();
    OpenAI client(configuration());

    ModelResult model = client.model(ModelQuery{"m1"}).get();

    EXPECT_EQ(model.ownedBy, "me");
    std::lock_guard lock(seen.mutex);
    EXPECT_EQ(seen.request.method, "GET");
    EXPECT_TRUE(seen.request.body.empty());
    EXPECT_FALSE(seen.request.has_header("OpenAI-Organization"));
    EXPECT_EQ(seen.request.get_header_value("Content-Type"), "application/json");
}

TEST_F(OpenAILoopbackTest, ATranscriptionArrivesAsAMultipartFormWithTheFileAndFields)
{
    loopback.server.Post("/v1/audio/transcriptions", [&](const httplib::Request& request, httplib::Response& response) {
        seen.keep(request);
        response.set_content(R"({"text":"hello there"})", "application/json");
    });
    loopback.start();
    OpenAI client(configuration());
    const Bytes audio{'R', 'I', 'F', 'F', 0, 1, 2, 255};

    auto result = client.audioTranscriptions(AudioTranscriptionQuery(audio, "take 1.wav", "whisper-1", "", std::nullopt, "de")).get();

    EXPECT_EQ(result.text, "hello there");
    std::lock_guard lock(seen.mutex);
    ASSERT_TRUE(seen.request.has_file("file"));
    const auto file = seen.request.get_file_value("file");
    EXPECT_EQ(file.filename, "take 1.wav");
    EXPECT_EQ(file.content_type, "audio/mpeg");
    EXPECT_EQ(file.content, std::string(audio.begin(), audio.end()));
    EXPECT_EQ(seen.request.get_file_value("model").content, "whisper-1");
    EXPECT_EQ(seen.request.get_file_value("language").content, "de");
    EXPECT_TRUE(seen.request.has_file("prompt"));
    EXPECT_FALSE(seen.request.has_file("temperature"));
    EXPECT_EQ(seen.request.get_header_value("Content-Type").rfind("multipart/form-data; boundary=", 0), 0u);
}

TEST_F(OpenAILoopbackTest, TheErrorEnvelopeFailsTheCallWhateverTheStatus)
{
    loopback.server.Get("/v1/models", [](const httplib::Request&, httplib::Response& response) {
        response.status = 401;
        response.set_content(R"({"error":{"message":"Incorrect API key provided: sk-loop.","type":"invalid_request_error","param":null,"code":"invalid_api_key"}})",
                             "application/json");
    });
    loopback.start();
    OpenAI client(configuration());

    try {
        client.models().get();
        FAIL() << "no error";
    } catch (const APIErrorResponse& error) {
        EXPECT_EQ(error.error.message, "Incorrect API key provided: sk-loop.");
        EXPECT_EQ(error.error.code, "invalid_api_key");
        EXPECT_EQ(error.error.param, std::nullopt);
    }
}

TEST_F(OpenAILoopbackTest, AnEmptyReplyIsADecodingFailureAndAnUnreachableServerATransportOne)
{
    loopback.server.Get("/v1/models", [](const httplib::Request&, httplib::Response& response) { response.status = 200; });
    loopback.start();
    OpenAI client(configuration());

    EXPECT_THROW(client.models().get(), DecodingError);

    auto unreachable = configuration();
    unreachable.port = 1;
    try {
        OpenAI(unreachable).models().get();
        FAIL() << "no error";
    } catch (const URLError& error) {
        EXPECT_EQ(error.code(), URLError::Code::cannotConnectToHost);
    }
}

TEST_F(OpenAILoopbackTest, AServiceSilentForLongerThanTheTimeOutFailsWithTimedOut)
{
    std::mutex mutex;
    std::condition_variable released;
    bool release = false;
    loopback.server.Get("/v1/models", [&](const httplib::Request&, httplib::Response& response) {
        std::unique_lock lock(mutex);
        released.wait_for(lock, std::chrono::seconds(10), [&] { return release; });
        response.set_content("{}", "application/json");
    });
    loopback.start();
    OpenAI client(configuration(1.0));

    try {
        client.models().get();
        FAIL() << "no error";
    } catch (const URLError& error) {
        EXPECT_EQ(error.code(), URLError::Code::timedOut);
    }
    {
        std::lock_guard lock(mutex);
        release = true;
    }
    released.notify_all();
}

TEST_F(OpenAILoopbackTest, StreamedEventsArriveInOrderUntilDoneAndTheStreamLeavesTheList)
{
    const std::string event = "data: " + completionJson("split") + "\n\n";
    serveEvents("/v1/completions", {"data: " + completionJson("one") + "\n\n", event.substr(0, 40), event.substr(40),
                                    "data: [DONE]\n\n"});
    loopback.start();
    OpenAI client(configuration());
    std::atomic<bool> ended = false;

    std::vector<std::string> texts;
    std::mutex mutex;
    client.streamCompletions(
        CompletionsQuery("davinci", "Count"),
        [&](Result<CompletionsResult> result) {
            std::lock_guard lock(mutex);
            texts.push_back(result.isSuccess() ? result.get().choices.at(0).text : "error");
        },
        [&](std::exception_ptr error) { ended = error == nullptr; });

    ASSERT_TRUE(waitUntil([&] { return ended.load(); }));
    std::lock_guard lock(mutex);
    EXPECT_EQ(texts, (std::vector<std::string>{"one", "split"}));
    EXPECT_TRUE(waitUntil([&] { return client.streamingSessions().count() == 0; }));
}

TEST_F(OpenAILoopbackTest, TheStreamedQueryIsACopyWithStreamSet)
{
    loopback.server.Post("/v1/completions", [&](const httplib::Request& request, httplib::Response& response) {
        seen.keep(request);
        response.set_content("data: [DONE]\n\n", "text/event-stream");
    });
    loopback.start();
    OpenAI client(configuration());
    const CompletionsQuery query("davinci", "Count");

    AsyncThrowingStream<CompletionsResult> stream = client.streamCompletions(query);

    EXPECT_FALSE(stream.next());
    EXPECT_FALSE(query.stream);
    std::lock_guard lock(seen.mutex);
    EXPECT_EQ(seen.request.body, R"({"model":"davinci","prompt":"Count","stream":true})");
}

TEST_F(OpenAILoopbackTest, AnUnknownLineEndsTheAsyncStreamButIsJustAnElementOfTheSubject)
{
    serveEvents("/v1/completions", {"data: " + completionJson("a") + "\n\n",
                                    "event: surprise\ndata: " + completionJson("b") + "\n\n",
                                    "data: " + completionJson("c") + "\n\ndata: [DONE]\n\n"});
    loopback.start();
    OpenAI client(configuration());

    AsyncThrowingStream<CompletionsResult> stream = client.streamCompletions(CompletionsQuery("davinci", "x"));
    EXPECT_EQ(stream.next()->choices[0].text, "a");
    EXPECT_THROW(stream.next(), DecodingError);
    EXPECT_FALSE(stream.next());

    std::mutex mutex;
    std::vector<std::string> elements;
    std::atomic<bool> finished = false;
    StreamSubject<CompletionsResult> subject = client.streamCompletionsPublisher(CompletionsQuery("davinci", "x"));
    Cancellable subscription = subject.sink(
        [&](const Result<CompletionsResult>& result) {
            std::lock_guard lock(mutex);
            elements.push_back(result.isSuccess() ? result.get().choices[0].text : "failure");
        },
        [&](std::exception_ptr error) { finished = error == nullptr; });
    ASSERT_TRUE(waitUntil([&] { return finished.load(); }));
    std::lock_guard lock(mutex);
    // The request starts before the subscription, so the first element may come too early.
    EXPECT_EQ(elements.back(), "c");
    EXPECT_NE(std::find(elements.begin(), elements.end(), "failure"), elements.end());
}

TEST_F(OpenAILoopbackTest, ReleasingClientsAndSessionsLeavesNoThreadAndEveryCallbackRunsOnce)
{
    std::mutex mutex;
    std::condition_variable released;
    bool release = false;
    loopback.server.Get("/v1/models", [&](const httplib::Request&, httplib::Response& response) {
        std::unique_lock lock(mutex);
        released.wait_for(lock, std::chrono::seconds(10), [&] { return release; });
        response.set_content(R"({"data":[],"object":"list"})", "application/json");
    });
    serveEvents("/v1/completions", {"data: " + completionJson("one") + "\n\n", "data: [DONE]\n\n"});
    loopback.start();
    {
        httplib::Client warmUp("127.0.0.1", loopback.port());
        warmUp.Post("/v1/completions", "{}", "application/json");
    }
    const std::size_t baseline = threadCount();

    std::atomic<int> streamEnds = 0;
    std::atomic<int> records = 0;
    {
        OpenAI client(configuration(), std::make_shared<CurlSession>());
        client.streamCompletions(
            CompletionsQuery("davinci", "x"), [&](Result<CompletionsResult>) { ++records; },
            [&](std::exception_ptr) { ++streamEnds; });
    }
    ASSERT_TRUE(waitUntil([&] { return streamEnds.load() == 1; }));
    EXPECT_EQ(records.load(), 1);

    std::atomic<int> modelEnds = 0;
    std::exception_ptr modelError;
    {
        OpenAI client(configuration(), std::make_shared<CurlSession>());
        client.models([&](Result<ModelsResult> result) {
            modelError = result.error();
            ++modelEnds;
        });
        ASSERT_TRUE(waitUntil([&] { return threadCount() > baseline; }));
    }
    EXPECT_EQ(modelEnds.load(), 1);
    ASSERT_TRUE(modelError);
    EXPECT_THROW(std::rethrow_exception(modelError), URLError);
    {
        std::lock_guard lock(mutex);
        release = true;
    }
    released.notify_all();

    EXPECT_TRUE(waitUntil([&] { return threadCount() <= baseline; })) << threadCount() << " threads, " << baseline
                                                                       << " before";
}

} // namespace
} // namespace brindlemoor
