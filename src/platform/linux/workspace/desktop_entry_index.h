#pragma once

#include "platform/linux/workspace/desktop_entry.h"

#include <filesystem>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace brindlemoor {

// The desktop entries of the installed applications, read again whenever one of their
// folders changes. Safe from any thread.
class DesktopEntryIndex {
public:
    explicit DesktopEntryIndex(std::vector<std::string> folders = applicationFolders());

    std::optional<DesktopEntry> entryWithId(const std::string& id);
    // The entry that starts this program (by executable path or name); none when no entry does.
    std::optional<DesktopEntry> entryForProgram(const std::string& executablePath, const std::string& programName);

private:
    void refreshIfChanged();

    std::vector<std::string> folders_;
    std::mutex mutex_;
    std::vector<std::filesystem::file_time_type> stamps_;
    bool loaded_ = false;
    // By id; an earlier folder wins over a later one.
    std::map<std::string, DesktopEntry> entries_;
};

} // namespace brindlemoor
