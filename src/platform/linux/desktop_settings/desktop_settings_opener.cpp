#include "platform/linux/desktop_settings/desktop_settings_opener.h"

#include "platform/logger.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace brindlemoor {

namespace {

std::optional<std::string> findOnPath(const std::string& program)
{
    const char* path = std::getenv("PATH");
    std::istringstream dirs(path ? path : "/usr/bin:/bin");
    for (std::string dir; std::getline(dirs, dir, ':');) {
        if (dir.empty())
            continue;
        const auto candidate = std::filesystem::path(dir) / program;
        if (access(candidate.c_str(), X_OK) == 0)
            return candidate.string();
    }
    return std::nullopt;
}

struct Candidate {
    const char* desktop;  // preferred on this desktop (XDG_CURRENT_DESKTOP)
    std::vector<std::string> command;
};

// Runs the command fully detached (double fork), so no child is left to reap.
void launchDetached(const std::vector<std::string>& command)
{
    std::vector<char*> argv;
    for (const auto& argument : command)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t child = fork();
    if (child == 0) {
        setsid();
        if (fork() == 0) {
            execv(argv[0], argv.data());
            _exit(127);
        }
        _exit(0);
    }
    if (child > 0)
        waitpid(child, nullptr, 0);
    else
        Logger::forCategory("DesktopSettingsOpener").error("Could not open the settings: fork failed");
}

} // namespace

DesktopSettingsOpener::DesktopSettingsOpener()
{
    const char* desktop = std::getenv("XDG_CURRENT_DESKTOP");
    desktop_ = desktop ? desktop : "";
}

std::optional<std::vector<std::string>> DesktopSettingsOpener::command(SettingsPane pane) const
{
    // Both panes lead to the sound input settings: Linux has no separate speech permission.
    (void)pane;
    const std::vector<Candidate> candidates = {
        {"GNOME", {"gnome-control-center", "sound"}},
        {"KDE", {"systemsettings", "kcm_pulseaudio"}},
        {"KDE", {"systemsettings5", "kcm_pulseaudio"}},
        {"", {"pavucontrol", "--tab=4"}},
    };
    std::optional<std::vector<std::string>> fallback;
    for (const auto& candidate : candidates) {
        auto program = findOnPath(candidate.command.front());
        if (!program)
            continue;
        auto command = candidate.command;
        command.front() = *program;
        if (*candidate.desktop && desktop_.find(candidate.desktop) != std::string::npos)
            return command;
        if (!fallback)
            fallback = command;
    }
    return fallback;
}

void DesktopSettingsOpener::open(SettingsPane pane)
{
    if (auto command = this->command(pane))
        launchDetached(*command);
}

} // namespace brindlemoor
