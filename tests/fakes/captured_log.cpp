#include "fakes/captured_log.h"

#include <algorithm>

namespace brindlemoor::fakes {

CapturedLog::CapturedLog()
{
    LogSink::install(this);
}

CapturedLog::~CapturedLog()
{
    LogSink::install(nullptr);
}

void CapturedLog::write(const LogRecord& record)
{
    std::lock_guard lock(mutex_);
    records_.push_back(record);
}

std::vector<LogRecord> CapturedLog::records() const
{
    std::lock_guard lock(mutex_);
    return records_;
}

std::vector<std::string> CapturedLog::messages() const
{
    std::vector<std::string> result;
    for (const auto& record : records())
        result.push_back(record.message);
    return result;
}

bool CapturedLog::contains(const std::string& message) const
{
    auto all = messages();
    return std::find(all.begin(), all.end(), message) != all.end();
}

} // namespace brindlemoor::fakes
