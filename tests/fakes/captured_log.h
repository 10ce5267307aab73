#pragma once

#include "platform/log_sink.h"

#include <mutex>
#include <string>
#include <vector>

namespace brindlemoor::fakes {

// Collects log records while it lives, in place of the journal.
class CapturedLog final : public LogSink {
public:
    CapturedLog();
    ~CapturedLog() override;

    void write(const LogRecord& record) override;

    std::vector<LogRecord> records() const;
    // The messages alone, in order.
    std::vector<std::string> messages() const;
    bool contains(const std::string& message) const;

private:
    mutable std::mutex mutex_;
    std::vector<LogRecord> records_;
};

} // namespace brindlemoor::fakes
