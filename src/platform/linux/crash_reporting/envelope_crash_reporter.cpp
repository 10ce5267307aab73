#include "platform/linux/crash_reporting/envelope_crash_reporter.h"

#include "platform/clock.h"
#include "platform/linux/crash_reporting/envelope.h"
#include "platform/linux/crash_reporting/fatal_signal_recorder.h"
#include "platform/logger.h"
#include "platform/main_queue.h"

#include <filesystem>
#include <random>
#include <sstream>
#include <sys/utsname.h>

namespace brindlemoor {
namespace {

const Logger& logger()
{
    static const Logger log = Logger::forCategory("CrashReporter");
    return log;
}

// 32 hexadecimal digits; with dashes it is the 8-4-4-4-12 form sessions use.
std::string randomIdentifier(bool dashed)
{
    static thread_local std::mt19937_64 generator(std::random_device{}());
    std::uint64_t high = generator(), low = generator();
    high = (high & 0xffffffffffff0fffULL) | 0x0000000000004000ULL;  // version 4
    low = (low & 0x3fffffffffffffffULL) | 0x8000000000000000ULL;    // variant 1
    char text[40];
    std::snprintf(text, sizeof text, "%016llx%016llx", static_cast<unsigned long long>(high),
                  static_cast<unsigned long long>(low));
    std::string id(text);
    if (dashed)
        id = id.substr(0, 8) + "-" + id.substr(8, 4) + "-" + id.substr(12, 4) + "-" + id.substr(16, 4) + "-" + id.substr(20);
    return id;
}

std::string operatingSystemVersion()
{
    utsname names{};
    return uname(&names) == 0 ? names.release : "";
}

bool isDelivered(const HttpResult& result)
{
    const auto* response = std::get_if<HttpResponse>(&result);
    return response && response->status >= 200 && response->status < 300;
}

std::string contextValue(const std::string& context, const std::string& key)
{
    std::istringstream lines(context);
    std::string line;
    while (std::getline(lines, line))
        if (line.rfind(key + " ", 0) == 0)
            return line.substr(key.size() + 1);
    return "";
}

} // namespace

EnvelopeCrashReporter::EnvelopeCrashReporter(HttpClient& http, std::string stateDirectory, std::string release)
    : http_(http), stateDirectory_(std::move(stateDirectory)), release_(std::move(release))
{
}

EnvelopeCrashReporter::~EnvelopeCrashReporter()
{
    if (!dsn_)
        return;
    FatalSignalRecorder::uninstall();
    if (session_)
        sendSession("exited");
}

std::string EnvelopeCrashReporter::crashRecordPath() const
{
    return (std::filesystem::path(stateDirectory_) / "fatal-signal").string();
}

void EnvelopeCrashReporter::start(const CrashReporterOptions& options)
{
    options_ = options;
    if (options.dsn.empty())
        return;
    dsn_ = Dsn::parse(options.dsn);
    if (!dsn_) {
        logger().error("Crash reporting is off: the DSN is not a valid address.");
        return;
    }
    std::error_code ignored;
    std::filesystem::create_directories(stateDirectory_, ignored);
    sendPendingCrash();
    startSession();
}

std::string EnvelopeCrashReporter::captureMessage(const std::string& message)
{
    if (!dsn_)
        return "";
    std::string eventId = randomIdentifier(false);
    nlohmann::json payload = eventPayload(eventId, "info", MainQueue::main().clock().wallNow());
    payload["message"] = {{"formatted", message}};
    Envelope envelope = makeEnvelope(eventId);
    envelope.addItem("event", payload);
    send(envelope);
    return eventId;
}

void EnvelopeCrashReporter::sendPendingCrash()
{
    const std::string path = crashRecordPath();
    std::optional<FatalSignalRecord> record = FatalSignalRecorder::takePending(path);
    if (!record)
        return;
    const Clock::WallTime crashTime{std::chrono::seconds(record->unixTime)};
    std::string eventId = randomIdentifier(false);
    nlohmann::json payload = eventPayload(eventId, "fatal", crashTime);
    const std::string name = FatalSignalRecorder::signalName(record->signal);
    payload["exception"] = {
        {"values",
         nlohmann::json::array({{{"type", name},
                                 {"value", "Fatal signal " + std::to_string(record->signal)},
                                 {"mechanism",
                                  {{"type", "signalhandler"},
                                   {"handled", false},
                                   {"meta", {{"signal", {{"number", record->signal}, {"name", name}}}}}}}}})}};
    Envelope envelope = makeEnvelope(eventId);
    envelope.addItem("event", payload);
    const std::string sessionId = contextValue(record->context, "sid");
    const std::string started = contextValue(record->context, "started");
    if (!sessionId.empty() && !started.empty())
        envelope.addItem("session", {{"sid", sessionId},
                                     {"init", false},
                                     {"started", started},
                                     {"timestamp", isoTimestamp(crashTime)},
                                     {"status", "crashed"},
                                     {"errors", 1},
                                     {"attrs", {{"release", release_}, {"environment", "production"}}}});
    FatalSignalRecord kept = *record;
    send(envelope, [path, kept](bool delivered) {
        // Kept for the next start unless a newer crash has been recorded meanwhile.
        if (!delivered && !std::filesystem::exists(path))
            FatalSignalRecorder::write(path, kept);
    });
}

void EnvelopeCrashReporter::startSession()
{
    Clock& clock = MainQueue::main().clock();
    session_ = Session{randomIdentifier(true), isoTimestamp(clock.wallNow()), clock.now()};
    FatalSignalRecorder::install(crashRecordPath(), "sid " + session_->id + "\nstarted " + session_->started + "\n");
    if (!options_.enableAutoSessionTracking)
        return;
    sendSession("ok");
    scheduleSessionUpdate();
}

void EnvelopeCrashReporter::scheduleSessionUpdate()
{
    if (options_.sessionTrackingIntervalMillis <= 0)
        return;
    std::weak_ptr<int> alive = alive_;
    MainQueue::main().postAfter(std::chrono::milliseconds(options_.sessionTrackingIntervalMillis), [this, alive] {
        if (alive.expired())
            return;
        sendSession("ok");
        scheduleSessionUpdate();
    });
}

void EnvelopeCrashReporter::sendSession(const std::string& status)
{
    if (!options_.enableAutoSessionTracking || !session_)
        return;
    Clock& clock = MainQueue::main().clock();
    nlohmann::json payload = {{"sid", session_->id},
                              {"init", !session_->sentInit},
                              {"started", session_->started},
                              {"timestamp", isoTimestamp(clock.wallNow())},
                              {"status", status},
                              {"errors", 0},
                              {"duration", secondsBetween(session_->startedAt, clock.now())},
                              {"attrs", {{"release", release_}, {"environment", "production"}}}};
    session_->sentInit = true;
    Envelope envelope = makeEnvelope("");
    envelope.addItem("session", payload);
    send(envelope);
}

nlohmann::json EnvelopeCrashReporter::eventPayload(const std::string& eventId, const std::string& level,
                                                   Clock::WallTime time) const
{
    return {{"event_id", eventId},
            {"timestamp", isoTimestamp(time)},
            {"platform", "native"},
            {"level", level},
            {"release", release_},
            {"environment", "production"},
            {"contexts", {{"os", {{"name", "Linux"}, {"version", operatingSystemVersion()}}}}}};
}

Envelope EnvelopeCrashReporter::makeEnvelope(const std::string& eventId) const
{
    nlohmann::json header = {{"dsn", dsn_->text},
                             {"sent_at", isoTimestamp(MainQueue::main().clock().wallNow())},
                             {"sdk", {{"name", "brindlemoor.native"}, {"version", release_}}}};
    if (!eventId.empty())
        header["event_id"] = eventId;
    return Envelope(header);
}

void EnvelopeCrashReporter::send(const Envelope& envelope, std::function<void(bool delivered)> done)
{
    HttpRequest request;
    request.method = "POST";
    request.url = dsn_->envelopeUrl();
    request.headers = {{"Content-Type", "application/x-sentry-envelope"},
                       {"X-Sentry-Auth", dsn_->authorizationHeader("brindlemoor.native/" + release_)}};
    request.body = envelope.serialize();
    http_.send(std::move(request), [done = std::move(done)](HttpResult result) {
        bool delivered = isDelivered(result);
        if (!delivered) {
            if (const auto* error = std::get_if<PlatformError>(&result))
                logger().error("Crash report not sent: %s", error->description);
            else
                logger().error("Crash report refused with status %ld", std::get<HttpResponse>(result).status);
        }
        if (done)
            done(delivered);
    });
}

} // namespace brindlemoor
