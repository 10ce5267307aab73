#include "platform/linux/crash_reporting/envelope_crash_reporter.h"
#include "platform/linux/http/curl_http_client.h"
#include "platform/linux/updater/appcast_updater.h"

#include "fakes/manual_main_queue.h"
#include "loopback_server.h"
#include "support/child_process.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <future>
#include <unistd.h>

namespace brindlemoor {
namespace {

using namespace std::chrono_literals;

HttpResult sendAndWait(HttpClient& client, HttpRequest request)
{
    std::promise<HttpResult> done;
    client.send(std::move(request), [&](HttpResult result) { done.set_value(std::move(result)); });
    auto future = done.get_future();
    EXPECT_EQ(future.wait_for(20s), std::future_status::ready);
    return future.get();
}

TEST(CurlHttpClient, SendsRequestsAndReportsStatusesAndFailures)
{
    testing::LoopbackServer server;
    server.server().Post("/echo", [&](const httplib::Request& request, httplib::Response& response) {
        server.record(request);
        response.status = 201;
        response.set_content("got " + request.body, "text/plain");
    });
    CurlHttpClient client;
    HttpRequest post;
    post.method = "POST";
    post.url = server.url("/echo");
    post.headers = {{"Content-Type", "application/x-test"}};
    post.body = std::string("a\0b", 3);
    HttpResult result = sendAndWait(client, post);
    ASSERT_TRUE(std::holds_alternative<HttpResponse>(result));
    EXPECT_EQ(std::get<HttpResponse>(result).status, 201);
    EXPECT_EQ(std::get<HttpResponse>(result).body, "got " + std::string("a\0b", 3));
    ASSERT_EQ(server.received().size(), 1u);
    EXPECT_EQ(server.received()[0].headers.find("Content-Type")->second, "application/x-test");

    HttpRequest missing;
    missing.url = server.url("/missing");
    EXPECT_EQ(std::get<HttpResponse>(sendAndWait(client, missing)).status, 404);

    HttpRequest refused;
    refused.url = "http://127.0.0.1:1/";
    HttpResult failure = sendAndWait(client, refused);
    ASSERT_TRUE(std::holds_alternative<PlatformError>(failure));
    EXPECT_FALSE(std::get<PlatformError>(failure).description.empty());
}

TEST(CurlHttpClient, RequestsQueuedBeforeItGoesAreStillSent)
{
    testing::LoopbackServer server;
    server.server().Post("/api/1/envelope/", [&](const httplib::Request& request, httplib::Response&) {
        server.record(request);
    });
    {
        CurlHttpClient client;
        for (int i = 0; i < 3; ++i) {
            HttpRequest request;
            request.method = "POST";
            request.url = server.url("/api/1/envelope/");
            request.body = std::to_string(i);
            client.send(request, nullptr);
        }
    }
    EXPECT_EQ(server.received().size(), 3u);
}

TEST(CrashReporting, EnvelopesReachTheIngestEndpointTheDsnNames)
{
    testing::LoopbackServer server;
    server.server().Post("/api/42/envelope/", [&](const httplib::Request& request, httplib::Response& response) {
        server.record(request);
        response.set_content("{}", "application/json");
    });
    fakes::ManualMainQueue queue;
    const auto directory = std::filesystem::temp_directory_path() / ("crash-loopback-" + std::to_string(getpid()));
    {
        CurlHttpClient http;
        EnvelopeCrashReporter reporter(http, directory.string(), "brindlemoor@0.1.0");
        reporter.start({"http://abcdef0123456789abcdef0123456789@127.0.0.1:" + std::to_string(server.port()) + "/42",
                        true, 30000});
        reporter.captureMessage("applicationDidFinishLaunching");
        queue.advance(30s);
    }
    std::filesystem::remove_all(directory);
    auto received = server.received();
    ASSERT_EQ(received.size(), 4u);  // session start, message, update at 30 s, exit
    for (const auto& request : received) {
        EXPECT_EQ(request.headers.find("Content-Type")->second, "application/x-sentry-envelope");
        EXPECT_NE(request.headers.find("X-Sentry-Auth")->second.find("sentry_key=abcdef0123456789abcdef0123456789"),
                  std::string::npos);
    }
    EXPECT_NE(received[1].body.find("\"formatted\":\"applicationDidFinishLaunching\""), std::string::npos);
    EXPECT_NE(received[3].body.find("\"status\":\"exited\""), std::string::npos);
}

class Presenter final : public UpdatePresenter {
public:
    void showUpdateAvailable(const AppcastItem& item, const std::string&) override { shown = "available " + item.version; }
    void showUpToDate(const std::string&) override { shown = "up to date"; }
    void showFailure(const std::string& message) override { shown = "failure " + message; }
    std::string shown;
};

TEST(UpdateCheck, ReadsTheFeedFromTheServer)
{
    testing::LoopbackServer server;
    server.server().Get("/appcast.xml", [](const httplib::Request&, httplib::Response& response) {
        response.set_content(R"xml(<rss version="2.0"><channel><item><title>Brindlemoor 0.2</title>
            <enclosure url="https://downloads.example.org/brindlemoor-0.2.tar.gz" version="0.2"/></item></channel></rss>)xml",
                             "application/rss+xml");
    });
    fakes::ManualMainQueue queue;
    CurlHttpClient http;
    Presenter presenter;
    AppcastUpdater updater(server.url("/appcast.xml"), "0.1.0", http, presenter);
    updater.start();
    updater.checkForUpdates();
    ASSERT_TRUE(testing::waitUntil([&] {
        queue.runUntilIdle();
        return !presenter.shown.empty();
    }, 20s));
    EXPECT_EQ(presenter.shown, "available 0.2");
    EXPECT_TRUE(updater.canCheckForUpdates().get());
}

} // namespace
} // namespace brindlemoor
