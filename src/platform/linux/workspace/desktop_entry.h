#pragma once

#include <optional>
#include <string>
#include <vector>

namespace brindlemoor {

// An application's desktop entry: what the desktop knows it by.
struct DesktopEntry {
    // The entry's id: its path below an applications folder, "/" as "-", without ".desktop".
    std::string id;
    std::string path;
    std::string exec;
    std::string tryExec;
    std::string icon;
    bool hidden = false;

    // The name of the program its Exec line starts (environment settings and "env" skipped).
    std::string programName() const;

    // Reads the [Desktop Entry] group of the file; none when it is not an application entry.
    static std::optional<DesktopEntry> read(const std::string& path, const std::string& id);
};

// The folders desktop entries are looked up in, most important first.
std::vector<std::string> applicationFolders();

} // namespace brindlemoor
