#pragma once

#include <functional>
#include <sys/types.h>

namespace brindlemoor {

// Raises and focuses an application's window on the X display, through the window manager
// (_NET_ACTIVE_WINDOW) when one runs, directly otherwise.
class X11WindowActivator {
public:
    using ProcessFilter = std::function<bool(pid_t)>;

    // Activates the topmost window whose process (_NET_WM_PID) passes the filter and waits a
    // moment for the focus to arrive there, so keys typed next reach it. False when no such
    // window exists or the display cannot be opened.
    static bool activateTopmostWindow(const ProcessFilter& belongsToApplication);
};

} // namespace brindlemoor
