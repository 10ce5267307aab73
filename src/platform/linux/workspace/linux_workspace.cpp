#include "platform/linux/workspace/linux_workspace.h"

#include "platform/linux/workspace/application_identifier.h"
#include "platform/linux/workspace/icon_theme_lookup.h"
#include "platform/linux/workspace/x11_window_activator.h"

#include <filesystem>
#include <unistd.h>

namespace brindlemoor {
namespace {

// A running process of ours with that identifier.
std::optional<pid_t> processWithIdentifier(const std::string& bundleIdentifier, DesktopEntryIndex& entries)
{
    std::error_code error;
    for (auto it = std::filesystem::directory_iterator("/proc", error);
         !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos)
            continue;
        pid_t pid = static_cast<pid_t>(std::stol(name));
        if (executablePath(pid).empty())
            continue;
        if (applicationIdentifier(pid, entries) == bundleIdentifier)
            return pid;
    }
    return std::nullopt;
}

} // namespace

std::optional<RunningApplication> LinuxWorkspace::runningApplication(pid_t processIdentifier)
{
    if (processIdentifier <= 0 || !std::filesystem::exists("/proc/" + std::to_string(processIdentifier)))
        return std::nullopt;
    return RunningApplication{processIdentifier, applicationIdentifier(processIdentifier, entries_)};
}

std::optional<ApplicationLocation> LinuxWorkspace::locationForApplication(const std::string& bundleIdentifier)
{
    if (auto entry = entries_.entryWithId(bundleIdentifier))
        return ApplicationLocation{bundleIdentifier, entry->path};
    if (auto pid = processWithIdentifier(bundleIdentifier, entries_))
        return ApplicationLocation{bundleIdentifier, executablePath(*pid)};
    return std::nullopt;
}

std::optional<std::string> LinuxWorkspace::iconForApplication(const ApplicationLocation& location)
{
    if (std::filesystem::path(location.path).extension() != ".desktop")
        return std::nullopt;
    auto entry = DesktopEntry::read(location.path, location.bundleIdentifier);
    if (!entry)
        return std::nullopt;
    return findIconFile(entry->icon);
}

void LinuxWorkspace::openApplication(const ApplicationLocation& location)
{
    X11WindowActivator::activateTopmostWindow(
        [&](pid_t pid) { return applicationIdentifier(pid, entries_) == location.bundleIdentifier; });
}

} // namespace brindlemoor
