#pragma once

#include "platform/log_format.h"
#include "platform/log_sink.h"

#include <string>
#include <string_view>

namespace brindlemoor {

// A log channel named by subsystem and category, like the unified log's loggers.
class Logger {
public:
    Logger(std::string subsystem, std::string category)
        : subsystem_(std::move(subsystem)), category_(std::move(category))
    {
    }

    // The application identifier as subsystem.
    static Logger forCategory(std::string category);

    const std::string& subsystem() const { return subsystem_; }
    const std::string& category() const { return category_; }

    template <typename... Args>
    void info(std::string_view format, const Args&... args) const
    {
        write(LogLevel::info, formatLog(format, args...));
    }
    template <typename... Args>
    void error(std::string_view format, const Args&... args) const
    {
        write(LogLevel::error, formatLog(format, args...));
    }
    template <typename... Args>
    void debug(std::string_view format, const Args&... args) const
    {
        write(LogLevel::debug, formatLog(format, args...));
    }

private:
    void write(LogLevel level, std::string message) const;

    std::string subsystem_;
    std::string category_;
};

} // namespace brindlemoor
