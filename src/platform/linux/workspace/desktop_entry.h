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

    // The program its Exec line starts, as written there (environment settings and "env"
    // skipped), and that program's file name.
    std::string program() const;
    std::string programName() const;

    // Reads the [Desktop Entry] group of the file; none when it is not an application entry.
    static std::optional<DesktopEntry> read(const std::string& path, const std::string& id);
};

// The folders desktop entries are looked up in, most important first.
std::vector<std::string> applicationFolders();

} // namespace brindlemoor
