#include "platform/linux/workspace/application_identifier.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace brindlemoor {
namespace {

std::string procFile(pid_t pid, const char* name)
{
    std::ifstream file("/proc/" + std::to_string(pid) + "/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// The desktop entry the launcher wrote into the process's environment.
std::optional<std::string> launchedDesktopFile(pid_t pid)
{
    std::string environment = procFile(pid, "environ");
    for (const char* key : {"GIO_LAUNCHED_DESKTOP_FILE=", "BAMF_DESKTOP_FILE_HINT="}) {
        std::string prefix = key;
        for (std::size_t start = 0; start < environment.size();) {
            std::size_t end = environment.find('\0', start);
            if (end == std::string::npos)
                end = environment.size();
            if (environment.compare(start, prefix.size(), prefix) == 0)
                return environment.substr(start + prefix.size(), end - start - prefix.size());
            start = end + 1;
        }
    }
    return std::nullopt;
}

std::string firstArgument(pid_t pid)
{
    std::string commandLine = procFile(pid, "cmdline");
    return std::filesystem::path(commandLine.substr(0, commandLine.find('\0'))).filename().string();
}

} // namespace

std::string executablePath(pid_t processIdentifier)
{
    std::error_code error;
    auto path = std::filesystem::read_symlink("/proc/" + std::to_string(processIdentifier) + "/exe", error);
    return error ? std::string() : path.string();
}

std::optional<std::string> applicationIdentifier(pid_t processIdentifier, DesktopEntryIndex& entries)
{
    if (processIdentifier <= 0 || !std::filesystem::exists("/proc/" + std::to_string(processIdentifier)))
        return std::nullopt;
    if (auto desktopFile = launchedDesktopFile(processIdentifier)) {
        std::string id = std::filesystem::path(*desktopFile).stem().string();
        if (entries.entryWithId(id))
            return id;
    }
    std::string executable = executablePath(processIdentifier);
    std::string program = std::filesystem::path(executable).filename().string();
    if (auto entry = entries.entryForProgram(executable, program))
        return entry->id;
    std::string argument = firstArgument(processIdentifier);
    if (!argument.empty() && argument != program)
        if (auto entry = entries.entryForProgram({}, argument))
            return entry->id;
    if (!program.empty())
        return program;
    std::string command = procFile(processIdentifier, "comm");
    while (!command.empty() && command.back() == '\n')
        command.pop_back();
    if (command.empty())
        return std::nullopt;
    return command;
}

} // namespace brindlemoor
