#pragma once

#include "platform/workspace.h"

#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace brindlemoor::fakes {

// Running applications and their locations as a test scripts them; remembers what was
// activated. Installs itself while it lives.
class FakeWorkspace final : public Workspace {
public:
    FakeWorkspace() { Workspace::install(this); }
    ~FakeWorkspace() override { Workspace::install(nullptr); }

    void addApplication(pid_t pid, std::optional<std::string> bundleIdentifier, std::optional<std::string> path = {},
                        std::optional<std::string> icon = {})
    {
        std::lock_guard lock(mutex_);
        running_[pid] = bundleIdentifier;
        if (bundleIdentifier && path)
            locations_[*bundleIdentifier] = *path;
        if (path && icon)
            icons_[*path] = *icon;
    }
    void quit(pid_t pid)
    {
        std::lock_guard lock(mutex_);
        running_.erase(pid);
    }
    // Called with each activated identifier, e.g. to move the focus.
    std::function<void(const std::string&)> onOpen;

    std::vector<std::string> opened() const
    {
        std::lock_guard lock(mutex_);
        return opened_;
    }

    std::optional<RunningApplication> runningApplication(pid_t pid) override
    {
        std::lock_guard lock(mutex_);
        auto it = running_.find(pid);
        if (it == running_.end())
            return std::nullopt;
        return RunningApplication{pid, it->second};
    }
    std::optional<ApplicationLocation> locationForApplication(const std::string& bundleIdentifier) override
    {
        std::lock_guard lock(mutex_);
        auto it = locations_.find(bundleIdentifier);
        if (it == locations_.end())
            return std::nullopt;
        return ApplicationLocation{bundleIdentifier, it->second};
    }
    std::optional<std::string> iconForApplication(const ApplicationLocation& location) override
    {
        std::lock_guard lock(mutex_);
        auto it = icons_.find(location.path);
        if (it == icons_.end())
            return std::nullopt;
        return it->second;
    }
    void openApplication(const ApplicationLocation& location) override
    {
        {
            std::lock_guard lock(mutex_);
            opened_.push_back(location.bundleIdentifier);
        }
        if (onOpen)
            onOpen(location.bundleIdentifier);
    }

private:
    mutable std::mutex mutex_;
    std::map<pid_t, std::optional<std::string>> running_;
    std::map<std::string, std::string> locations_;
    std::map<std::string, std::string> icons_;
    std::vector<std::string> opened_;
};

} // namespace brindlemoor::fakes
