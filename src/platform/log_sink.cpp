#include "platform/log_sink.h"

#include <atomic>
#include <syslog.h>
#include <systemd/sd-journal.h>

namespace brindlemoor {
namespace {

class JournalLogSink final : public LogSink {
public:
    void write(const LogRecord& record) override
    {
        int priority = record.level == LogLevel::error ? LOG_ERR : record.level == LogLevel::info ? LOG_INFO : LOG_DEBUG;
        sd_journal_send("MESSAGE=%s", record.message.c_str(), "PRIORITY=%d", priority, "SUBSYSTEM=%s",
                        record.subsystem.c_str(), "CATEGORY=%s", record.category.c_str(), "SYSLOG_IDENTIFIER=%s",
                        "brindlemoor", nullptr);
    }
};

JournalLogSink journal;
std::atomic<LogSink*> installed{nullptr};

} // namespace

LogSink& LogSink::current()
{
    LogSink* sink = installed.load(std::memory_order_acquire);
    return sink != nullptr ? *sink : journal;
}

void LogSink::install(LogSink* sink)
{
    installed.store(sink, std::memory_order_release);
}

} // namespace brindlemoor
