#pragma once

#include "platform/workspace.h"

#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace brindlemoor {

// The processes of the machine as the single-instance guard sees them.
class ProcessTable {
public:
    virtual ~ProcessTable() = default;

    // Running applications in the order the system lists them.
    virtual std::vector<RunningApplication> runningApplications() = 0;
    // This process's own identifier, or none.
    virtual std::optional<std::string> mainBundleIdentifier() = 0;
    virtual pid_t currentProcessIdentifier() = 0;
    // The real user id that owns a process; none when it cannot be read.
    virtual std::optional<uid_t> ownerUserIdentifier(pid_t process) = 0;
    // The login name of a user id; none when the user database has no entry.
    virtual std::optional<std::string> loginName(uid_t user) = 0;
    // The login name of the user running this process.
    virtual std::string currentUserName() = 0;
    // Whether the process still runs (a process that has ended but was not reaped does not).
    virtual bool isRunning(pid_t process) = 0;
    // Ends the process at once, without waiting for it to go.
    virtual void forceTerminate(pid_t process) = 0;
};

} // namespace brindlemoor
