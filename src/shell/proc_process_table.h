#pragma once

#include "shell/process_table.h"

#include <string>

namespace brindlemoor {

// The process table read from /proc. A process is a copy of this application when its
// executable has this application's file name; it then carries the application's identifier,
// any other process its executable's name.
class ProcProcessTable final : public ProcessTable {
public:
    explicit ProcProcessTable(std::string procRoot = "/proc");

    std::vector<RunningApplication> runningApplications() override;
    std::optional<std::string> mainBundleIdentifier() override;
    pid_t currentProcessIdentifier() override;
    std::optional<uid_t> ownerUserIdentifier(pid_t process) override;
    std::optional<std::string> loginName(uid_t user) override;
    std::string currentUserName() override;
    bool isRunning(pid_t process) override;
    void forceTerminate(pid_t process) override;

    // The file name the application's executable is installed under.
    static constexpr const char* kExecutableName = "brindlemoor";

private:
    std::optional<std::string> executableName(const std::string& processDirectory) const;
    std::optional<std::string> identifierForExecutable(const std::optional<std::string>& name) const;

    std::string procRoot_;
};

} // namespace brindlemoor
