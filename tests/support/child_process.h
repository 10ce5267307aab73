#pragma once

#include <chrono>
#include <map>
#include <string>
#include <sys/types.h>
#include <thread>
#include <vector>

namespace brindlemoor::testing {

// A program started by a test, in a process group of its own, ended (TERM, then KILL) when
// the object goes.
class ChildProcess {
public:
    // `environment` entries are added to (or replace those of) the test's environment.
    ChildProcess(std::vector<std::string> argv, std::map<std::string, std::string> environment = {},
                 bool quiet = true);
    ~ChildProcess();

    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t pid() const { return pid_; }
    bool running();
    // Waits for the exit; answers the exit status, or -1 on a time-out or a signal.
    int wait(std::chrono::milliseconds timeout);
    void terminate();

private:
    pid_t pid_ = -1;
    bool reaped_ = false;
    int status_ = 0;
};

// Runs a command to completion; answers its exit status (-1 when it could not run).
int runCommand(const std::vector<std::string>& argv, const std::map<std::string, std::string>& environment = {},
               std::string* output = nullptr);

// Polls `condition` every 20 ms until it holds or the time runs out.
template <typename Condition>
bool waitUntil(Condition condition, std::chrono::milliseconds timeout = std::chrono::seconds(10))
{
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < end) {
        if (condition())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return condition();
}

// Whether a program is on the PATH.
bool haveProgram(const std::string& name);

} // namespace brindlemoor::testing
