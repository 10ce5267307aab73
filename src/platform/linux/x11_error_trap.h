#pragma once

#include <X11/Xlib.h>

namespace brindlemoor {

// While it lives, X errors on our own connections (a window that closed a moment ago) are
// ignored instead of ending the process; the previous handler comes back afterwards.
class X11ErrorTrap {
public:
    X11ErrorTrap() : previous_(XSetErrorHandler(&ignore)) {}
    ~X11ErrorTrap() { XSetErrorHandler(previous_); }

    X11ErrorTrap(const X11ErrorTrap&) = delete;
    X11ErrorTrap& operator=(const X11ErrorTrap&) = delete;

private:
    static int ignore(Display*, XErrorEvent*) { return 0; }

    XErrorHandler previous_;
};

} // namespace brindlemoor
