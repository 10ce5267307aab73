#include "platform/linux/workspace/icon_theme_lookup.h"

#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace brindlemoor {
namespace {

bool isFile(const std::filesystem::path& path)
{
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

} // namespace

std::vector<std::string> iconFolders()
{
    std::vector<std::string> folders;
    if (const char* home = std::getenv("HOME")) {
        folders.push_back(std::string(home) + "/.local/share/icons");
        folders.push_back(std::string(home) + "/.icons");
    }
    const char* dataDirs = std::getenv("XDG_DATA_DIRS");
    std::stringstream stream(dataDirs != nullptr && *dataDirs != '\0' ? dataDirs : "/usr/local/share:/usr/share");
    for (std::string base; std::getline(stream, base, ':');)
        if (!base.empty())
            folders.push_back(base + "/icons");
    return folders;
}

std::optional<std::string> findIconFile(const std::string& iconName)
{
    if (iconName.empty())
        return std::nullopt;
    if (iconName.front() == '/')
        return isFile(iconName) ? std::optional(iconName) : std::nullopt;
    static const char* const sizes[] = {"48x48", "scalable", "64x64", "32x32", "128x128", "256x256", "24x24", "512x512", "16x16"};
    static const char* const extensions[] = {".png", ".svg", ".xpm"};
    for (const auto& folder : iconFolders())
        for (const char* size : sizes)
            for (const char* extension : extensions) {
                std::filesystem::path candidate =
                    std::filesystem::path(folder) / "hicolor" / size / "apps" / (iconName + extension);
                if (isFile(candidate))
                    return candidate.string();
            }
    for (const char* extension : extensions) {
        std::filesystem::path candidate = std::filesystem::path("/usr/share/pixmaps") / (iconName + extension);
        if (isFile(candidate))
            return candidate.string();
    }
    return std::nullopt;
}

} // namespace brindlemoor
