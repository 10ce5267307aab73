#pragma once

#include "shell/mac_app_delegate.h"

#include <functional>
#include <memory>

namespace brindlemoor {

class CheckForUpdatesView;
class Updater;

// The application: creates the delegate and the updater, offers the update command, and starts
// the launch once the event loop runs.
class BrindlemoorApp {
public:
    // `makeUpdater` answers an updater that has been started.
    BrindlemoorApp(LaunchEnvironment environment, std::function<std::unique_ptr<Updater>()> makeUpdater);
    ~BrindlemoorApp();

    BrindlemoorApp(const BrindlemoorApp&) = delete;
    BrindlemoorApp& operator=(const BrindlemoorApp&) = delete;

    // Queues the launch on the main queue.
    void scheduleLaunch();

    MacAppDelegate& appDelegate() { return *appDelegate_; }
    CheckForUpdatesView* checkForUpdatesView() const { return checkForUpdatesView_.get(); }

private:
    std::unique_ptr<MacAppDelegate> appDelegate_;
    std::unique_ptr<Updater> updater_;
    std::unique_ptr<CheckForUpdatesView> checkForUpdatesView_;
};

// Process-wide references, each set once on the main thread.
MacAppDelegate* sharedAppDelegate();
void setSharedAppDelegate(MacAppDelegate* delegate);
Updater* updaterController();
void setUpdaterController(Updater* updater);

} // namespace brindlemoor
