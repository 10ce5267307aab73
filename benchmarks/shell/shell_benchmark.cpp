// Launch time, memory and idle CPU of the application on a private desktop: an X server with a
// tray host, a D-Bus session, and a sound server whose microphone hears silence.

#include "integration/delivery/desktop_session.h"
#include "pipe_writer.h"
#include "private_pulse_audio.h"
#include "support/child_process.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <unistd.h>

using namespace brindlemoor;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {

int visibleWindows()
{
    std::string output;
    if (testing::runCommand({"xdotool", "search", "--onlyvisible", "--class", "brindlemoor"}, {}, &output) != 0)
        return 0;
    return static_cast<int>(std::count(output.begin(), output.end(), '\n'));
}

// User plus system CPU time of a process, in seconds.
double cpuSeconds(pid_t pid)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text;
    std::getline(stat, text);
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string field;
    unsigned long long user = 0, system = 0;
    for (int index = 3; fields >> field; ++index) {
        if (index == 14)
            user = std::stoull(field);
        if (index == 15) {
            system = std::stoull(field);
            break;
        }
    }
    return static_cast<double>(user + system) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

long residentKilobytes(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    return -1;
}

void pressControlOne()
{
    testing::userKey("Control_L", true);
    testing::userKey("1", true);
    testing::userKey("1", false);
    testing::userKey("Control_L", false);
}

double cpuPercentOver(pid_t pid, std::chrono::seconds span)
{
    const double before = cpuSeconds(pid);
    const auto start = Clock::now();
    std::this_thread::sleep_for(span);
    const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    return 100.0 * (cpuSeconds(pid) - before) / elapsed;
}

} // namespace

int main()
{
    for (const char* program : {"Xvfb", "dbus-daemon", "trayer", "xdotool", "pulseaudio"})
        if (!testing::haveProgram(program)) {
            std::fprintf(stderr, "shell_benchmark: %s is missing (run scripts/setup)\n", program);
            return 1;
        }
    testing::DesktopSession session(false);
    if (!session.failure().empty()) {
        std::fprintf(stderr, "shell_benchmark: %s\n", session.failure().c_str());
        return 1;
    }
    testing::ChildProcess tray({"trayer", "--edge", "top", "--align", "right", "--widthtype", "request", "--height",
                                "24", "--SetDockType", "true"});
    testing::PrivatePulseAudio pulse;
    const auto fifo = pulse.directory() / "microphone";
    if (!pulse.ready() || !pulse.loadPipeSource("microphone", fifo) || !pulse.setDefaultSource("microphone")) {
        std::fprintf(stderr, "shell_benchmark: the private sound server did not start\n");
        return 1;
    }
    testing::PipeWriter microphone(fifo);
    std::this_thread::sleep_for(1s);

    // A copy under a name of its own, so the application does not end a copy the user runs.
    const auto copy = session.directory() / ("brindlemoor-benchmark-" + std::to_string(getpid()));
    std::filesystem::copy_file(BRINDLEMOOR_APPLICATION, copy, std::filesystem::copy_options::overwrite_existing);
    std::filesystem::permissions(copy, std::filesystem::perms::owner_all);
    const std::string home = (session.directory() / "home").string();
    const auto launched = Clock::now();
    testing::ChildProcess application({copy.string()},
                                      {{"HOME", home}, {"XDG_CONFIG_HOME", home + "/.config"},
                                       {"XDG_DATA_HOME", home + "/.local/share"}});
    if (!testing::waitUntil([] { return visibleWindows() >= 2; }, 30s)) {
        std::fprintf(stderr, "shell_benchmark: the tray icon and floating window did not both appear\n");
        return 1;
    }
    const double launchMilliseconds = std::chrono::duration<double, std::milli>(Clock::now() - launched).count();
    std::this_thread::sleep_for(3s);
    const pid_t pid = application.pid();
    std::printf("launch to tray icon and floating window shown: %.0f ms\n", launchMilliseconds);
    std::printf("resident memory 3 s after start: %.1f MiB\n", residentKilobytes(pid) / 1024.0);

    // The dictating flag starts set; the first Ctrl+1 turns dictation off.
    pressControlOne();
    std::this_thread::sleep_for(2s);
    std::printf("CPU over 30 s idle, dictation off: %.2f %%\n", cpuPercentOver(pid, 30s));

    pressControlOne();
    std::this_thread::sleep_for(3s);
    std::printf("CPU over 30 s, dictation on, silent microphone: %.2f %%\n", cpuPercentOver(pid, 30s));
    std::printf("resident memory after that: %.1f MiB\n", residentKilobytes(pid) / 1024.0);
    return 0;
}
