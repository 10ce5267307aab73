#pragma once

#include <cstdint>
#include <string>

namespace brindlemoor {

struct CrashReporterOptions {
    // The service endpoint with its public key; empty turns reporting off.
    std::string dsn;
    bool enableAutoSessionTracking = true;
    std::int64_t sessionTrackingIntervalMillis = 30000;
};

// Reports crashes, messages and usage sessions to the crash-reporting service.
class CrashReporter {
public:
    virtual ~CrashReporter() = default;

    virtual void start(const CrashReporterOptions& options) = 0;
    // Answers the event's identifier, empty when reporting is off.
    virtual std::string captureMessage(const std::string& message) = 0;
};

} // namespace brindlemoor
