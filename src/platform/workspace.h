#pragma once

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <sys/types.h>

namespace brindlemoor {

// A process that is a running application.
struct RunningApplication {
    pid_t processIdentifier = 0;
    // The application's identifier: its desktop entry's id where one matches the process,
    // else its executable's name. None when neither can be learnt.
    std::optional<std::string> bundleIdentifier;
};

// Where an application lives: its desktop entry, or its executable when it has none.
struct ApplicationLocation {
    std::string bundleIdentifier;
    std::string path;
};

// Running applications, their icons, and bringing one to the front.
class Workspace {
public:
    virtual ~Workspace() = default;

    // None when no process has that identifier.
    virtual std::optional<RunningApplication> runningApplication(pid_t processIdentifier) = 0;
    // None when the identifier names no known or running application.
    virtual std::optional<ApplicationLocation> locationForApplication(const std::string& bundleIdentifier) = 0;
    // The path of the image file that shows the application at that location; none without one.
    virtual std::optional<std::string> iconForApplication(const ApplicationLocation& location) = 0;
    // Brings the running application to the front with the keyboard focus. It never starts
    // the application; nothing happens when it does not run.
    virtual void openApplication(const ApplicationLocation& location) = 0;

    // The process's workspace; the application installs the desktop's at start, tests a double.
    static Workspace& shared()
    {
        Workspace* installed = slot().load(std::memory_order_acquire);
        if (installed == nullptr) {
            std::fputs("Brindlemoor: the workspace is used before it was installed\n", stderr);
            std::abort();
        }
        return *installed;
    }
    static void install(Workspace* workspace) { slot().store(workspace, std::memory_order_release); }

private:
    static std::atomic<Workspace*>& slot()
    {
        static std::atomic<Workspace*> installed{nullptr};
        return installed;
    }
};

} // namespace brindlemoor
