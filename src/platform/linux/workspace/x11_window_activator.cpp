#include "platform/linux/workspace/x11_window_activator.h"

#include "platform/linux/x11_error_trap.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <chrono>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

namespace brindlemoor {
namespace {

struct DisplayClose {
    void operator()(Display* display) const { XCloseDisplay(display); }
};
using DisplayPtr = std::unique_ptr<Display, DisplayClose>;

// How long activation waits for the window manager to hand the focus over.
constexpr auto kFocusWait = std::chrono::milliseconds(500);
constexpr auto kFocusPoll = std::chrono::milliseconds(5);

std::vector<unsigned long> cardinalProperty(Display* display, Window window, const char* name, Atom type)
{
    Atom actualType;
    int format;
    unsigned long count, remaining;
    unsigned char* data = nullptr;
    std::vector<unsigned long> values;
    if (XGetWindowProperty(display, window, XInternAtom(display, name, False), 0, 4096, False, type, &actualType,
                           &format, &count, &remaining, &data) == Success &&
        data != nullptr && format == 32) {
        auto* longs = reinterpret_cast<unsigned long*>(data);
        values.assign(longs, longs + count);
    }
    if (data != nullptr)
        XFree(data);
    return values;
}

bool windowManagerSupportsActivation(Display* display, Window root)
{
    if (cardinalProperty(display, root, "_NET_SUPPORTING_WM_CHECK", XA_WINDOW).empty())
        return false;
    Atom active = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
    for (unsigned long supported : cardinalProperty(display, root, "_NET_SUPPORTED", XA_ATOM))
        if (supported == active)
            return true;
    return false;
}

std::vector<Window> children(Display* display, Window window)
{
    Window rootReturn, parent;
    Window* list = nullptr;
    unsigned int count = 0;
    std::vector<Window> result;
    if (XQueryTree(display, window, &rootReturn, &parent, &list, &count) != 0 && list != nullptr)
        result.assign(list, list + count);
    if (list != nullptr)
        XFree(list);
    return result;
}

// Top-level client windows, bottom to top.
std::vector<Window> clientWindows(Display* display, Window root, bool managed)
{
    if (managed) {
        auto stacking = cardinalProperty(display, root, "_NET_CLIENT_LIST_STACKING", XA_WINDOW);
        if (!stacking.empty())
            return {stacking.begin(), stacking.end()};
    }
    std::vector<Window> windows;
    for (Window top : children(display, root)) {
        XWindowAttributes attributes;
        if (XGetWindowAttributes(display, top, &attributes) == 0 || attributes.map_state != IsViewable)
            continue;
        windows.push_back(top);
    }
    return windows;
}

std::optional<pid_t> windowProcess(Display* display, Window window)
{
    auto pid = cardinalProperty(display, window, "_NET_WM_PID", XA_CARDINAL);
    if (pid.empty())
        return std::nullopt;
    return static_cast<pid_t>(pid.front());
}

bool focusIsWithin(Display* display, Window window)
{
    Window focus;
    int revert;
    XGetInputFocus(display, &focus, &revert);
    for (int depth = 0; focus != None && focus != PointerRoot && depth < 64; ++depth) {
        if (focus == window)
            return true;
        Window rootReturn, parent;
        Window* list = nullptr;
        unsigned int count = 0;
        if (XQueryTree(display, focus, &rootReturn, &parent, &list, &count) == 0)
            return false;
        if (list != nullptr)
            XFree(list);
        if (parent == rootReturn)
            return false;
        focus = parent;
    }
    return false;
}

} // namespace

bool X11WindowActivator::activateTopmostWindow(const ProcessFilter& belongsToApplication)
{
    DisplayPtr display(XOpenDisplay(nullptr));
    if (!display)
        return false;
    X11ErrorTrap trap;
    Window root = DefaultRootWindow(display.get());
    bool managed = windowManagerSupportsActivation(display.get(), root);
    std::optional<Window> target;
    for (Window window : clientWindows(display.get(), root, managed))
        if (auto pid = windowProcess(display.get(), window); pid && belongsToApplication(*pid))
            target = window;
    if (!target)
        return false;
    if (managed) {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = *target;
        event.xclient.message_type = XInternAtom(display.get(), "_NET_ACTIVE_WINDOW", False);
        event.xclient.format = 32;
        // Source 2: a pager acting for the user, which window managers do not refuse.
        event.xclient.data.l[0] = 2;
        event.xclient.data.l[1] = CurrentTime;
        XSendEvent(display.get(), root, False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
    } else {
        XRaiseWindow(display.get(), *target);
        XSetInputFocus(display.get(), *target, RevertToParent, CurrentTime);
    }
    XSync(display.get(), False);
    const auto deadline = std::chrono::steady_clock::now() + kFocusWait;
    while (!focusIsWithin(display.get(), *target) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(kFocusPoll);
    return true;
}

} // namespace brindlemoor
