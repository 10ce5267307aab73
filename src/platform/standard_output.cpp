#include "platform/standard_output.h"

#include <atomic>
#include <cstdio>
#include <mutex>
#include <string>

namespace brindlemoor {
namespace {

std::atomic<StandardOutput::Sink*> installed{nullptr};
std::mutex writeMutex;

void write(std::string_view text)
{
    if (StandardOutput::Sink* sink = installed.load(std::memory_order_acquire)) {
        sink->write(text);
        return;
    }
    std::lock_guard lock(writeMutex);
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
}

} // namespace

void StandardOutput::printLine(std::string_view text)
{
    std::string line(text);
    line += '\n';
    write(line);
}

void StandardOutput::print(std::string_view text)
{
    write(text);
}

void StandardOutput::install(Sink* sink)
{
    installed.store(sink, std::memory_order_release);
}

} // namespace brindlemoor
