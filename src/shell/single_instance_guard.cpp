#include "shell/single_instance_guard.h"

#include "platform/standard_output.h"

namespace brindlemoor {

std::optional<pid_t> terminateOtherInstances(ProcessTable& processes)
{
    const std::optional<std::string> ownIdentifier = processes.mainBundleIdentifier();
    const pid_t ownProcess = processes.currentProcessIdentifier();
    std::optional<RunningApplication> other;
    for (const RunningApplication& application : processes.runningApplications()) {
        if (application.bundleIdentifier == ownIdentifier && application.processIdentifier != ownProcess) {
            other = application;
            break;
        }
    }
    if (!other)
        return std::nullopt;
    if (auto name = ownerUserName(processes, *other))
        StandardOutput::printLine("Process launched by user: " + *name);
    if (auto name = ownerUserName(processes, *other); name && *name == processes.currentUserName()) {
        processes.forceTerminate(other->processIdentifier);
        return other->processIdentifier;
    }
    return std::nullopt;
}

std::optional<std::string> ownerUserName(ProcessTable& processes, const RunningApplication& application)
{
    std::optional<uid_t> user = processes.ownerUserIdentifier(application.processIdentifier);
    if (!user) {
        StandardOutput::printLine("Failed to retrieve process info for PID " +
                                  std::to_string(application.processIdentifier));
        return std::nullopt;
    }
    std::optional<std::string> name = processes.loginName(*user);
    if (!name) {
        StandardOutput::printLine("Failed to retrieve username for UID " + std::to_string(*user));
        return std::nullopt;
    }
    return name;
}

} // namespace brindlemoor
