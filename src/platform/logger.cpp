#include "platform/logger.h"

#include "platform/bundle.h"

namespace brindlemoor {

Logger Logger::forCategory(std::string category)
{
    return Logger(std::string(kBundleIdentifier), std::move(category));
}

void Logger::write(LogLevel level, std::string message) const
{
    LogSink::current().write(LogRecord{level, subsystem_, category_, std::move(message)});
}

} // namespace brindlemoor
