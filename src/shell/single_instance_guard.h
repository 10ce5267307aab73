#pragma once

#include "shell/process_table.h"

#include <optional>
#include <string>

namespace brindlemoor {

// Ends an older copy of this application that the same user runs, so the newest launch wins.
// Copies of other users are left alone. Answers the process it ended, if any.
std::optional<pid_t> terminateOtherInstances(ProcessTable& processes);

// The login name of the user who owns the application's process; prints why when none.
std::optional<std::string> ownerUserName(ProcessTable& processes, const RunningApplication& application);

} // namespace brindlemoor
