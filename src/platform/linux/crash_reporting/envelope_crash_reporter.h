#pragma once

#include "platform/clock.h"
#include "platform/crash_reporter.h"
#include "platform/http_client.h"
#include "platform/linux/crash_reporting/dsn.h"

#include <nlohmann/json.hpp>

#include <memory>
#include <optional>
#include <string>

namespace brindlemoor {

class Envelope;

// Sends events and sessions as envelopes to the ingest endpoint the DSN names. A session
// starts with `start` and is updated every tracking interval on the main queue; a fatal signal
// is recorded under the state directory and sent, with its session marked crashed, by the next
// start. An empty or unreadable DSN turns everything off.
class EnvelopeCrashReporter final : public CrashReporter {
public:
    EnvelopeCrashReporter(HttpClient& http, std::string stateDirectory, std::string release);
    // Ends the session as exited.
    ~EnvelopeCrashReporter() override;

    void start(const CrashReporterOptions& options) override;
    std::string captureMessage(const std::string& message) override;

    bool isEnabled() const { return dsn_.has_value(); }
    std::string crashRecordPath() const;

private:
    struct Session {
        std::string id;
        std::string started;
        Clock::MonotonicTime startedAt;
        bool sentInit = false;
    };

    void sendPendingCrash();
    void startSession();
    void scheduleSessionUpdate();
    void sendSession(const std::string& status);
    nlohmann::json eventPayload(const std::string& eventId, const std::string& level, Clock::WallTime time) const;
    Envelope makeEnvelope(const std::string& eventId) const;
    void send(const Envelope& envelope, std::function<void(bool delivered)> done = nullptr);

    HttpClient& http_;
    std::string stateDirectory_;
    std::string release_;
    std::optional<Dsn> dsn_;
    CrashReporterOptions options_;
    std::optional<Session> session_;
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};

} // namespace brindlemoor
