#include "support/child_process.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace brindlemoor::testing {
namespace {

[[noreturn]] void execChild(const std::vector<std::string>& argv, const std::map<std::string, std::string>& environment,
                            int outputFd, bool quiet)
{
    setpgid(0, 0);
    for (const auto& [key, value] : environment)
        setenv(key.c_str(), value.c_str(), 1);
    int devNull = open("/dev/null", O_RDWR);
    dup2(devNull, STDIN_FILENO);
    if (outputFd >= 0) {
        dup2(outputFd, STDOUT_FILENO);
        dup2(outputFd, STDERR_FILENO);
    } else if (quiet) {
        dup2(devNull, STDOUT_FILENO);
        dup2(devNull, STDERR_FILENO);
    }
    std::vector<char*> args;
    for (const auto& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    execvp(args[0], args.data());
    _exit(127);
}

} // namespace

ChildProcess::ChildProcess(std::vector<std::string> argv, std::map<std::string, std::string> environment, bool quiet)
{
    pid_ = fork();
    if (pid_ < 0)
        throw std::runtime_error("fork failed");
    if (pid_ == 0)
        execChild(argv, environment, -1, quiet);
    setpgid(pid_, pid_);
}

ChildProcess::~ChildProcess()
{
    terminate();
}

bool ChildProcess::running()
{
    if (reaped_)
        return false;
    pid_t done = waitpid(pid_, &status_, WNOHANG);
    if (done == pid_)
        reaped_ = true;
    return !reaped_;
}

int ChildProcess::wait(std::chrono::milliseconds timeout)
{
    if (!waitUntil([this] { return !running(); }, timeout))
        return -1;
    return WIFEXITED(status_) ? WEXITSTATUS(status_) : -1;
}

void ChildProcess::terminate()
{
    if (pid_ <= 0 || !running())
        return;
    kill(-pid_, SIGTERM);
    if (wait(std::chrono::seconds(3)) == -1 && running()) {
        kill(-pid_, SIGKILL);
        waitpid(pid_, &status_, 0);
        reaped_ = true;
    }
}

int runCommand(const std::vector<std::string>& argv, const std::map<std::string, std::string>& environment,
               std::string* output)
{
    int pipeFds[2] = {-1, -1};
    if (output != nullptr && pipe(pipeFds) != 0)
        return -1;
    pid_t pid = fork();
    if (pid < 0)
        return -1;
    if (pid == 0) {
        if (output != nullptr)
            close(pipeFds[0]);
        execChild(argv, environment, output != nullptr ? pipeFds[1] : -1, output == nullptr);
    }
    if (output != nullptr) {
        close(pipeFds[1]);
        char buffer[4096];
        ssize_t n;
        while ((n = read(pipeFds[0], buffer, sizeof buffer)) > 0 || (n < 0 && errno == EINTR)) {
            if (n > 0)
                output->append(buffer, static_cast<size_t>(n));
        }
        close(pipeFds[0]);
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool haveProgram(const std::string& name)
{
    return runCommand({"sh", "-c", "command -v " + name}) == 0;
}

} // namespace brindlemoor::testing
