#include "platform/linux/crash_reporting/dsn.h"
#include "platform/linux/crash_reporting/envelope_crash_reporter.h"
#include "platform/linux/crash_reporting/fatal_signal_recorder.h"

#include "fakes/captured_log.h"
#include "fakes/manual_main_queue.h"
#include "recording_http_client.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace brindlemoor {
namespace {

using nlohmann::json;

const std::string kDsn = "https://0123456789abcdef0123456789abcdef@o1.ingest.example.org/4507000000000001";

struct ParsedEnvelope {
    json header;
    std::vector<std::pair<json, json>> items;
};

ParsedEnvelope parseEnvelope(const std::string& body)
{
    ParsedEnvelope envelope;
    std::istringstream lines(body);
    std::string line;
    std::getline(lines, line);
    envelope.header = json::parse(line);
    while (std::getline(lines, line)) {
        json itemHeader = json::parse(line);
        std::string payload(itemHeader["length"].get<std::size_t>(), '\0');
        lines.read(payload.data(), static_cast<std::streamsize>(payload.size()));
        lines.ignore(1);
        envelope.items.emplace_back(itemHeader, json::parse(payload));
    }
    return envelope;
}

class CrashReporterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        directory_ = std::filesystem::temp_directory_path() / ("crash-reporter-" + std::to_string(getpid()));
        std::filesystem::remove_all(directory_);
    }
    void TearDown() override
    {
        FatalSignalRecorder::uninstall();
        std::filesystem::remove_all(directory_);
    }

    fakes::ManualMainQueue queue_;
    fakes::CapturedLog log_;
    testing::RecordingHttpClient http_;
    std::filesystem::path directory_;
};

TEST(Dsn, NamesTheEnvelopeEndpointAndKey)
{
    auto dsn = Dsn::parse(kDsn);
    ASSERT_TRUE(dsn);
    EXPECT_EQ(dsn->envelopeUrl(), "https://o1.ingest.example.org/api/4507000000000001/envelope/");
    EXPECT_EQ(dsn->publicKey, "0123456789abcdef0123456789abcdef");
    auto local = Dsn::parse("http://key@127.0.0.1:8080/prefix/42");
    ASSERT_TRUE(local);
    EXPECT_EQ(local->envelopeUrl(), "http://127.0.0.1:8080/prefix/api/42/envelope/");
    for (const char* bad : {"", "ftp://key@host/1", "https://host/1", "https://key@host", "https://key@host/1?x=y",
                            "https://a b@host/1"})
        EXPECT_FALSE(Dsn::parse(bad)) << bad;
}

TEST_F(CrashReporterTest, AnEmptyOrInvalidDsnTurnsEverythingOff)
{
    for (const std::string& dsn : {std::string(), std::string("not an address")}) {
        EnvelopeCrashReporter reporter(http_, directory_.string(), "brindlemoor@0.1.0");
        reporter.start({dsn, true, 30000});
        EXPECT_EQ(reporter.captureMessage("applicationDidFinishLaunching"), "");
        queue_.advance(std::chrono::minutes(5));
    }
    EXPECT_TRUE(http_.requests().empty());
    EXPECT_FALSE(std::filesystem::exists(directory_));
}

TEST_F(CrashReporterTest, StartOpensASessionAndAMessageIsAnEventEnvelope)
{
    EnvelopeCrashReporter reporter(http_, directory_.string(), "brindlemoor@0.1.0");
    reporter.start({kDsn, true, 30000});
    std::string eventId = reporter.captureMessage("applicationDidFinishLaunching");
    EXPECT_EQ(eventId.size(), 32u);

    auto requests = http_.requests();
    ASSERT_EQ(requests.size(), 2u);
    for (const auto& request : requests) {
        EXPECT_EQ(request.method, "POST");
        EXPECT_EQ(request.url, "https://o1.ingest.example.org/api/4507000000000001/envelope/");
        EXPECT_NE(std::find(request.headers.begin(), request.headers.end(),
                            std::pair<std::string, std::string>(
                                "X-Sentry-Auth", "Sentry sentry_version=7, sentry_client=brindlemoor.native/brindlemoor@0.1.0, "
                                                 "sentry_key=0123456789abcdef0123456789abcdef")),
                  request.headers.end());
    }
    ParsedEnvelope session = parseEnvelope(requests[0].body);
    ASSERT_EQ(session.items.size(), 1u);
    EXPECT_EQ(session.items[0].first["type"], "session");
    EXPECT_EQ(session.items[0].second["init"], true);
    EXPECT_EQ(session.items[0].second["status"], "ok");
    EXPECT_EQ(session.items[0].second["attrs"]["release"], "brindlemoor@0.1.0");

    ParsedEnvelope message = parseEnvelope(requests[1].body);
    EXPECT_EQ(message.header["event_id"], eventId);
    EXPECT_EQ(message.header["dsn"], kDsn);
    ASSERT_EQ(message.items.size(), 1u);
    EXPECT_EQ(message.items[0].first["type"], "event");
    EXPECT_EQ(message.items[0].second["message"]["formatted"], "applicationDidFinishLaunching");
    EXPECT_EQ(message.items[0].second["level"], "info");
    EXPECT_EQ(message.items[0].second["event_id"], eventId);
}

TEST_F(CrashReporterTest, TheSessionIsUpdatedAtEveryIntervalAndEndsAsExited)
{
    std::string sessionId;
    {
        EnvelopeCrashReporter reporter(http_, directory_.string(), "brindlemoor@0.1.0");
        reporter.start({kDsn, true, 30000});
        queue_.advance(std::chrono::milliseconds(29999));
        EXPECT_EQ(http_.requests().size(), 1u);
        queue_.advance(std::chrono::milliseconds(1));
        queue_.advance(std::chrono::seconds(30));
        ASSERT_EQ(http_.requests().size(), 3u);
        json update = parseEnvelope(http_.requests()[2].body).items[0].second;
        EXPECT_EQ(update["init"], false);
        EXPECT_DOUBLE_EQ(update["duration"].get<double>(), 60.0);
        sessionId = update["sid"];
    }
    auto requests = http_.requests();
    ASSERT_EQ(requests.size(), 4u);
    json last = parseEnvelope(requests[3].body).items[0].second;
    EXPECT_EQ(last["status"], "exited");
    EXPECT_EQ(last["sid"], sessionId);
    queue_.advance(std::chrono::minutes(2));
    EXPECT_EQ(http_.requests().size(), 4u);
}

TEST_F(CrashReporterTest, WithoutSessionTrackingOnlyEventsAreSent)
{
    EnvelopeCrashReporter reporter(http_, directory_.string(), "brindlemoor@0.1.0");
    reporter.start({kDsn, false, 30000});
    reporter.captureMessage("hello");
    queue_.advance(std::chrono::minutes(2));
    ASSERT_EQ(http_.requests().size(), 1u);
    EXPECT_EQ(parseEnvelope(http_.requests()[0].body).items[0].first["type"], "event");
}

TEST_F(CrashReporterTest, AFatalSignalIsRecordedAndSentWithItsSessionAtTheNextStart)
{
    std::string recordPath;
    std::string crashedSession;
    {
        EnvelopeCrashReporter first(http_, directory_.string(), "brindlemoor@0.1.0");
        first.start({kDsn, true, 30000});
        crashedSession = parseEnvelope(http_.requests()[0].body).items[0].second["sid"];
        recordPath = first.crashRecordPath();
        pid_t child = fork();
        if (child == 0) {
            raise(SIGSEGV);
            _exit(0);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status));
        EXPECT_EQ(WTERMSIG(status), SIGSEGV);
    }
    ASSERT_TRUE(std::filesystem::exists(recordPath));

    testing::RecordingHttpClient nextRun;
    EnvelopeCrashReporter second(nextRun, directory_.string(), "brindlemoor@0.1.0");
    second.start({kDsn, true, 30000});
    ASSERT_GE(nextRun.requests().size(), 2u);
    ParsedEnvelope crash = parseEnvelope(nextRun.requests()[0].body);
    ASSERT_EQ(crash.items.size(), 2u);
    EXPECT_EQ(crash.items[0].second["level"], "fatal");
    EXPECT_EQ(crash.items[0].second["exception"]["values"][0]["type"], "SIGSEGV");
    EXPECT_EQ(crash.items[0].second["exception"]["values"][0]["mechanism"]["meta"]["signal"]["number"], SIGSEGV);
    EXPECT_EQ(crash.items[1].second["status"], "crashed");
    EXPECT_EQ(crash.items[1].second["sid"], crashedSession);
    EXPECT_FALSE(std::filesystem::exists(recordPath));
}

TEST_F(CrashReporterTest, ARecordThatCouldNotBeSentIsKeptForTheNextStart)
{
    std::filesystem::create_directories(directory_);
    const std::string path = (directory_ / "fatal-signal").string();
    FatalSignalRecorder::write(path, {SIGABRT, 1700000000, "sid abc\nstarted 2023-11-14T22:13:20.000Z\n"});
    http_.reply = PlatformError{"HttpClient", 7, "Could not connect"};
    {
        EnvelopeCrashReporter reporter(http_, directory_.string(), "brindlemoor@0.1.0");
        reporter.start({kDsn, true, 30000});
    }
    auto kept = FatalSignalRecorder::takePending(path);
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->signal, SIGABRT);
    EXPECT_EQ(kept->unixTime, 1700000000);
    EXPECT_TRUE(log_.contains("Crash report not sent: Could not connect"));
}

} // namespace
} // namespace brindlemoor
