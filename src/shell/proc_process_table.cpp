#include "shell/proc_process_table.h"

#include "platform/bundle.h"

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <pwd.h>
#include <sstream>
#include <unistd.h>

namespace brindlemoor {
namespace {

bool isNumber(const std::string& text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); });
}

std::string baseName(std::string path)
{
    const std::string deleted = " (deleted)";
    if (path.size() > deleted.size() && path.compare(path.size() - deleted.size(), deleted.size(), deleted) == 0)
        path.resize(path.size() - deleted.size());
    auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

ProcProcessTable::ProcProcessTable(std::string procRoot) : procRoot_(std::move(procRoot)) {}

std::optional<std::string> ProcProcessTable::executableName(const std::string& processDirectory) const
{
    std::error_code error;
    auto target = std::filesystem::read_symlink(processDirectory + "/exe", error);
    if (!error)
        return baseName(target.string());
    // Another user's executable link cannot be read; its command line can.
    std::ifstream commandLine(processDirectory + "/cmdline");
    std::string first;
    if (commandLine && std::getline(commandLine, first, '\0') && !first.empty())
        return baseName(first);
    return std::nullopt;
}

std::optional<std::string> ProcProcessTable::identifierForExecutable(const std::optional<std::string>& name) const
{
    if (!name)
        return std::nullopt;
    if (*name == kExecutableName)
        return std::string(kBundleIdentifier);
    return name;
}

std::vector<RunningApplication> ProcProcessTable::runningApplications()
{
    std::vector<RunningApplication> applications;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(procRoot_, error)) {
        const std::string name = entry.path().filename().string();
        if (!isNumber(name))
            continue;
        RunningApplication application;
        application.processIdentifier = static_cast<pid_t>(std::stol(name));
        application.bundleIdentifier = identifierForExecutable(executableName(entry.path().string()));
        applications.push_back(application);
    }
    std::sort(applications.begin(), applications.end(),
              [](const auto& a, const auto& b) { return a.processIdentifier < b.processIdentifier; });
    return applications;
}

std::optional<std::string> ProcProcessTable::mainBundleIdentifier()
{
    return identifierForExecutable(executableName(procRoot_ + "/self"));
}

pid_t ProcProcessTable::currentProcessIdentifier()
{
    return getpid();
}

std::optional<uid_t> ProcProcessTable::ownerUserIdentifier(pid_t process)
{
    std::ifstream status(procRoot_ + "/" + std::to_string(process) + "/status");
    std::string line;
    while (status && std::getline(status, line)) {
        if (line.rfind("Uid:", 0) != 0)
            continue;
        std::istringstream fields(line.substr(4));
        long long realUser = -1;
        if (fields >> realUser && realUser >= 0)
            return static_cast<uid_t>(realUser);
        return std::nullopt;
    }
    return std::nullopt;
}

std::optional<std::string> ProcProcessTable::loginName(uid_t user)
{
    passwd entry{};
    passwd* found = nullptr;
    std::string buffer(16384, '\0');
    if (getpwuid_r(user, &entry, buffer.data(), buffer.size(), &found) != 0 || found == nullptr)
        return std::nullopt;
    return std::string(found->pw_name);
}

std::string ProcProcessTable::currentUserName()
{
    return loginName(getuid()).value_or("");
}

bool ProcProcessTable::isRunning(pid_t process)
{
    std::ifstream stat(procRoot_ + "/" + std::to_string(process) + "/stat");
    std::string text;
    if (!stat || !std::getline(stat, text))
        return false;
    // The state follows the command name, which is in parentheses and may hold spaces.
    auto close = text.rfind(')');
    return close != std::string::npos && close + 2 < text.size() && text[close + 2] != 'Z' && text[close + 2] != 'X';
}

void ProcProcessTable::forceTerminate(pid_t process)
{
    ::kill(process, SIGKILL);
}

} // namespace brindlemoor
