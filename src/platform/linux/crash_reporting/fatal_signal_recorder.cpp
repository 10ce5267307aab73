#include "platform/linux/crash_reporting/fatal_signal_recorder.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <time.h>
#include <unistd.h>

namespace brindlemoor {
namespace {

constexpr std::array kFatalSignals{SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT, SIGTRAP};

// A signal handler can reach nothing but static storage; these are written before the
// handlers are installed and only read inside them.
char recordPath[4096];
char recordContext[8192];
std::size_t recordContextLength = 0;
struct sigaction previousActions[kFatalSignals.size()];
// A stack overflow leaves no room for the handler on the thread's own stack.
char alternateStack[64 * 1024];
bool installed = false;

void writeAll(int fd, const char* text, std::size_t length)
{
    while (length > 0) {
        ssize_t written = ::write(fd, text, length);
        if (written <= 0)
            return;
        text += written;
        length -= static_cast<std::size_t>(written);
    }
}

// Decimal text of a non-negative number without the C library's formatting.
std::size_t formatNumber(long long value, char* out)
{
    char digits[24];
    std::size_t count = 0;
    do {
        digits[count++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value > 0 && count < sizeof digits);
    for (std::size_t i = 0; i < count; ++i)
        out[i] = digits[count - 1 - i];
    return count;
}

void handleFatalSignal(int signal)
{
    int fd = ::open(recordPath, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd >= 0) {
        char line[64];
        std::size_t length = 0;
        std::memcpy(line, "signal ", 7);
        length = 7 + formatNumber(signal, line + 7);
        line[length++] = '\n';
        writeAll(fd, line, length);
        timespec now{};
        clock_gettime(CLOCK_REALTIME, &now);
        std::memcpy(line, "time ", 5);
        length = 5 + formatNumber(now.tv_sec, line + 5);
        line[length++] = '\n';
        writeAll(fd, line, length);
        writeAll(fd, recordContext, recordContextLength);
        ::close(fd);
    }
    // Let the default action end the process with the same signal, so a core dump and the
    // parent's view of the exit stay as they would be without the recorder.
    struct sigaction defaultAction {};
    defaultAction.sa_handler = SIG_DFL;
    sigemptyset(&defaultAction.sa_mask);
    sigaction(signal, &defaultAction, nullptr);
    raise(signal);
}

} // namespace

void FatalSignalRecorder::install(const std::string& path, const std::string& context)
{
    uninstall();
    std::snprintf(recordPath, sizeof recordPath, "%s", path.c_str());
    recordContextLength = std::min(context.size(), sizeof recordContext);
    std::memcpy(recordContext, context.data(), recordContextLength);
    stack_t stack{};
    stack.ss_sp = alternateStack;
    stack.ss_size = sizeof alternateStack;
    sigaltstack(&stack, nullptr);
    struct sigaction action {};
    action.sa_handler = handleFatalSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_ONSTACK;
    for (std::size_t i = 0; i < kFatalSignals.size(); ++i)
        sigaction(kFatalSignals[i], &action, &previousActions[i]);
    installed = true;
}

void FatalSignalRecorder::uninstall()
{
    if (!installed)
        return;
    for (std::size_t i = 0; i < kFatalSignals.size(); ++i)
        sigaction(kFatalSignals[i], &previousActions[i], nullptr);
    installed = false;
}

std::optional<FatalSignalRecord> FatalSignalRecorder::takePending(const std::string& path)
{
    std::ifstream file(path);
    if (!file)
        return std::nullopt;
    FatalSignalRecord record;
    std::string line;
    std::ostringstream context;
    bool haveSignal = false;
    while (std::getline(file, line)) {
        if (line.rfind("signal ", 0) == 0 && !haveSignal) {
            record.signal = std::atoi(line.c_str() + 7);
            haveSignal = true;
        } else if (line.rfind("time ", 0) == 0 && record.unixTime == 0) {
            record.unixTime = std::atoll(line.c_str() + 5);
        } else {
            context << line << '\n';
        }
    }
    file.close();
    ::unlink(path.c_str());
    if (!haveSignal)
        return std::nullopt;
    record.context = context.str();
    return record;
}

void FatalSignalRecorder::write(const std::string& path, const FatalSignalRecord& record)
{
    std::ofstream file(path, std::ios::trunc);
    file << "signal " << record.signal << '\n' << "time " << record.unixTime << '\n' << record.context;
}

std::string FatalSignalRecorder::signalName(int signal)
{
    switch (signal) {
    case SIGSEGV: return "SIGSEGV";
    case SIGBUS: return "SIGBUS";
    case SIGILL: return "SIGILL";
    case SIGFPE: return "SIGFPE";
    case SIGABRT: return "SIGABRT";
    case SIGTRAP: return "SIGTRAP";
    default: return "signal " + std::to_string(signal);
    }
}

} // namespace brindlemoor
