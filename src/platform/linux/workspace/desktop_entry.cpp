#include "platform/linux/workspace/desktop_entry.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

namespace brindlemoor {
namespace {

std::string trimmed(const std::string& text)
{
    auto begin = text.find_first_not_of(" \t\r");
    if (begin == std::string::npos)
        return {};
    auto end = text.find_last_not_of(" \t\r");
    return text.substr(begin, end - begin + 1);
}

std::vector<std::string> splitPath(const char* value, const char* fallback)
{
    std::string list = value != nullptr && *value != '\0' ? value : fallback;
    std::vector<std::string> parts;
    std::stringstream stream(list);
    for (std::string part; std::getline(stream, part, ':');)
        if (!part.empty())
            parts.push_back(part);
    return parts;
}

} // namespace

std::string DesktopEntry::program() const
{
    // Words are split at blanks outside double quotes, as the Exec key's quoting rules say.
    std::vector<std::string> words(1);
    bool quoted = false;
    for (std::size_t i = 0; i < exec.size(); ++i) {
        char c = exec[i];
        if (c == '"') {
            quoted = !quoted;
        } else if (c == '\\' && quoted && i + 1 < exec.size()) {
            words.back() += exec[++i];
        } else if ((c == ' ' || c == '\t') && !quoted) {
            if (!words.back().empty())
                words.emplace_back();
        } else {
            words.back() += c;
        }
    }
    for (const auto& word : words) {
        if (word.empty() || word == "env" || (word.find('=') != std::string::npos && word.front() != '/'))
            continue;
        return word;
    }
    return {};
}

std::string DesktopEntry::programName() const
{
    return std::filesystem::path(program()).filename().string();
}

std::optional<DesktopEntry> DesktopEntry::read(const std::string& path, const std::string& id)
{
    std::ifstream file(path);
    if (!file)
        return std::nullopt;
    DesktopEntry entry;
    entry.id = id;
    entry.path = path;
    bool inMainGroup = false;
    std::string type;
    for (std::string line; std::getline(file, line);) {
        line = trimmed(line);
        if (line.empty() || line.front() == '#')
            continue;
        if (line.front() == '[') {
            inMainGroup = line == "[Desktop Entry]";
            continue;
        }
        auto equals = line.find('=');
        if (!inMainGroup || equals == std::string::npos)
            continue;
        std::string key = trimmed(line.substr(0, equals));
        std::string value = trimmed(line.substr(equals + 1));
        if (key == "Type")
            type = value;
        else if (key == "Exec")
            entry.exec = value;
        else if (key == "TryExec")
            entry.tryExec = value;
        else if (key == "Icon")
            entry.icon = value;
        else if (key == "Hidden")
            entry.hidden = value == "true";
    }
    if (type != "Application")
        return std::nullopt;
    return entry;
}

std::vector<std::string> applicationFolders()
{
    std::vector<std::string> folders;
    const char* home = std::getenv("HOME");
    std::string dataHome = home != nullptr ? std::string(home) + "/.local/share" : std::string();
    for (const auto& base : splitPath(std::getenv("XDG_DATA_HOME"), dataHome.c_str()))
        folders.push_back(base + "/applications");
    for (const auto& base : splitPath(std::getenv("XDG_DATA_DIRS"), "/usr/local/share:/usr/share"))
        folders.push_back(base + "/applications");
    return folders;
}

} // namespace brindlemoor
