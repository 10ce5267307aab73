#pragma once

#include "support/child_process.h"
#include "support/xvfb_display.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <utility>
#include <string>
#include <vector>

namespace brindlemoor::testing {

// A private desktop for one test process: an X server, optionally a window manager, and a
// D-Bus session whose accessibility bus starts on first use. Sets DISPLAY,
// DBUS_SESSION_BUS_ADDRESS and XDG_RUNTIME_DIR while it lives.
class DesktopSession {
public:
    explicit DesktopSession(bool withWindowManager);
    ~DesktopSession();

    DesktopSession(const DesktopSession&) = delete;
    DesktopSession& operator=(const DesktopSession&) = delete;

    // Empty when everything started; else what is missing or failed.
    const std::string& failure() const { return failure_; }
    const std::filesystem::path& directory() const { return directory_; }

    // The programs a session needs; the names of those not installed.
    static std::vector<std::string> missingPrograms(bool withWindowManager);

private:
    std::filesystem::path directory_;
    std::unique_ptr<XvfbDisplay> display_;
    std::unique_ptr<ChildProcess> bus_;
    std::unique_ptr<ChildProcess> windowManager_;
    std::string failure_;
    // The variables set here, with the values they had before (none: unset).
    std::vector<std::pair<std::string, std::optional<std::string>>> savedEnvironment_;
    void setVariable(const std::string& name, const std::optional<std::string>& value);
};

// The process whose window has the X input focus; 0 when none can be told.
pid_t focusedWindowProcess();

// Focuses the top-level window of the process directly, as a user's click would on a desktop
// without a window manager; false when it has no mapped window yet.
bool focusWindowOf(pid_t pid);

// Presses or releases a key (by its X symbol name, "Control_L") as if the user did.
void userKey(const std::string& symbolName, bool down);
bool keyIsDown(const std::string& symbolName);
// Whether the current keyboard map has a key for the symbol.
bool keyboardHasSymbol(const std::string& symbolName);

} // namespace brindlemoor::testing
