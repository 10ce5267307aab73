#include "shell/brindlemoor_app.h"

#include "platform/main_queue.h"
#include "platform/updater.h"
#include "shell/check_for_updates_view.h"
#include "shell/floating_window.h"

#include <atomic>

namespace brindlemoor {
namespace {

std::atomic<MacAppDelegate*> appDelegateReference{nullptr};
std::atomic<Updater*> updaterReference{nullptr};

} // namespace

MacAppDelegate* sharedAppDelegate()
{
    return appDelegateReference.load(std::memory_order_acquire);
}

void setSharedAppDelegate(MacAppDelegate* delegate)
{
    appDelegateReference.store(delegate, std::memory_order_release);
}

Updater* updaterController()
{
    return updaterReference.load(std::memory_order_acquire);
}

void setUpdaterController(Updater* updater)
{
    updaterReference.store(updater, std::memory_order_release);
}

BrindlemoorApp::BrindlemoorApp(LaunchEnvironment environment, std::function<std::unique_ptr<Updater>()> makeUpdater)
{
    // The application's commands go where a tray application offers them besides its tray menu:
    // the floating window's own context menu.
    auto windowCreated = std::move(environment.windowCreated);
    environment.windowCreated = [this, windowCreated](FloatingWindow& window) {
        if (checkForUpdatesView_) {
            window.addAction(checkForUpdatesView_.get());
            window.setContextMenuPolicy(Qt::ActionsContextMenu);
        }
        if (windowCreated)
            windowCreated(window);
    };
    appDelegate_ = std::make_unique<MacAppDelegate>(std::move(environment));
    updater_ = makeUpdater();
    setUpdaterController(updater_.get());
    setSharedAppDelegate(appDelegate_.get());
    if (updater_)
        checkForUpdatesView_ = std::make_unique<CheckForUpdatesView>(*updater_);
}

BrindlemoorApp::~BrindlemoorApp()
{
    setSharedAppDelegate(nullptr);
    setUpdaterController(nullptr);
}

void BrindlemoorApp::scheduleLaunch()
{
    MainQueue::main().post([this] { appDelegate_->applicationDidFinishLaunching(); });
}

} // namespace brindlemoor
