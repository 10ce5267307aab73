#pragma once

#include "platform/linux/workspace/desktop_entry_index.h"

#include <optional>
#include <string>
#include <sys/types.h>

namespace brindlemoor {

// What a process is known by on this desktop: the id of the desktop entry it was started from
// (as its launcher recorded it), else of the entry that starts its program, else its
// executable's name. None when the process does not exist.
std::optional<std::string> applicationIdentifier(pid_t processIdentifier, DesktopEntryIndex& entries);

// The executable of a process; empty when it cannot be read.
std::string executablePath(pid_t processIdentifier);

} // namespace brindlemoor
