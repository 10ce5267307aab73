#include "fakes/captured_output.h"

namespace brindlemoor::fakes {

CapturedOutput::CapturedOutput()
{
    StandardOutput::install(this);
}

CapturedOutput::~CapturedOutput()
{
    StandardOutput::install(nullptr);
}

void CapturedOutput::write(std::string_view text)
{
    std::lock_guard lock(mutex_);
    text_ += text;
}

std::string CapturedOutput::text() const
{
    std::lock_guard lock(mutex_);
    return text_;
}

std::vector<std::string> CapturedOutput::lines() const
{
    std::vector<std::string> result;
    std::string all = text();
    std::size_t start = 0;
    for (std::size_t end; (end = all.find('\n', start)) != std::string::npos; start = end + 1)
        result.push_back(all.substr(start, end - start));
    return result;
}

} // namespace brindlemoor::fakes
