#pragma once

#include <atspi/atspi.h>
#include <sys/types.h>

namespace brindlemoor {

// Finds the element with the keyboard focus. The bus has no question for it, so the finder
// looks through the active window of each application, and first checks whether the element
// it found last time still has the focus. Bus thread only.
class AtspiFocusFinder {
public:
    explicit AtspiFocusFinder(pid_t ownProcess);
    ~AtspiFocusFinder();

    AtspiFocusFinder(const AtspiFocusFinder&) = delete;
    AtspiFocusFinder& operator=(const AtspiFocusFinder&) = delete;

    // A new reference, or null when nothing has the focus.
    AtspiAccessible* focusedElement();
    // The focused element inside one application; a new reference or null.
    AtspiAccessible* focusedElementIn(AtspiAccessible* application);

private:
    AtspiAccessible* remember(AtspiAccessible* focused);

    pid_t ownProcess_;
    AtspiAccessible* lastFocused_ = nullptr;
};

} // namespace brindlemoor
