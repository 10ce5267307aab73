#pragma once

#include "platform/linux/workspace/desktop_entry_index.h"
#include "platform/workspace.h"

namespace brindlemoor {

// Running applications from /proc, identifiers and icons from desktop entries, and activation
// of an application's window on the X display.
class LinuxWorkspace final : public Workspace {
public:
    LinuxWorkspace() = default;
    explicit LinuxWorkspace(std::vector<std::string> applicationFolders) : entries_(std::move(applicationFolders)) {}

    std::optional<RunningApplication> runningApplication(pid_t processIdentifier) override;
    std::optional<ApplicationLocation> locationForApplication(const std::string& bundleIdentifier) override;
    std::optional<std::string> iconForApplication(const ApplicationLocation& location) override;
    void openApplication(const ApplicationLocation& location) override;

private:
    DesktopEntryIndex entries_;
};

} // namespace brindlemoor
