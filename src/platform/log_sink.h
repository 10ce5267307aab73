#pragma once

#include <string>

namespace brindlemoor {

enum class LogLevel { debug, info, error };

struct LogRecord {
    LogLevel level;
    std::string subsystem;
    std::string category;
    std::string message;
};

// Where log records go: the systemd journal unless another sink is installed (tests do).
class LogSink {
public:
    virtual ~LogSink() = default;
    virtual void write(const LogRecord& record) = 0;

    static LogSink& current();
    // nullptr puts the journal back.
    static void install(LogSink* sink);
};

} // namespace brindlemoor
