#pragma once

#include "platform/published.h"

namespace brindlemoor {

// Finds out whether a newer release exists and tells the user; the user starts each check.
class Updater {
public:
    virtual ~Updater() = default;

    // Whether a check may be started now: false while one runs and when checks are not possible.
    virtual Published<bool>& canCheckForUpdates() = 0;
    // Starts a user-initiated check; its outcome is shown to the user.
    virtual void checkForUpdates() = 0;
};

} // namespace brindlemoor
