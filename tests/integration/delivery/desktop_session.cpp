#include "integration/delivery/desktop_session.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <cstdlib>
#include <unistd.h>

namespace brindlemoor::testing {
namespace {

int ignoreErrors(Display*, XErrorEvent*)
{
    return 0;
}

pid_t windowProcess(Display* display, Window window)
{
    Atom type;
    int format;
    unsigned long count, remaining;
    unsigned char* data = nullptr;
    pid_t pid = 0;
    if (XGetWindowProperty(display, window, XInternAtom(display, "_NET_WM_PID", False), 0, 1, False, XA_CARDINAL,
                           &type, &format, &count, &remaining, &data) == Success &&
        data != nullptr && count == 1)
        pid = static_cast<pid_t>(*reinterpret_cast<unsigned long*>(data));
    if (data != nullptr)
        XFree(data);
    return pid;
}

} // namespace

std::vector<std::string> DesktopSession::missingPrograms(bool withWindowManager)
{
    std::vector<std::string> missing;
    std::vector<std::string> wanted = {"Xvfb", "xdpyinfo", "dbus-daemon"};
    if (withWindowManager)
        wanted.push_back("openbox");
    for (const auto& program : wanted)
        if (!haveProgram(program))
            missing.push_back(program);
    if (!std::filesystem::exists("/usr/libexec/at-spi-bus-launcher"))
        missing.push_back("at-spi-bus-launcher (at-spi2-core)");
    return missing;
}

DesktopSession::DesktopSession(bool withWindowManager)
{
    char pattern[] = "/tmp/brindlemoor-desktop-XXXXXX";
    if (mkdtemp(pattern) == nullptr) {
        failure_ = "cannot create a private runtime directory";
        return;
    }
    directory_ = pattern;
    display_ = std::make_unique<XvfbDisplay>();
    if (!display_->ready()) {
        failure_ = "Xvfb did not start";
        return;
    }
    std::string socket = (directory_ / "bus").string();
    bus_ = std::make_unique<ChildProcess>(std::vector<std::string>{
        "dbus-daemon", "--session", "--nofork", "--nopidfile", "--address=unix:path=" + socket});
    if (!waitUntil([&] { return std::filesystem::exists(socket) || !bus_->running(); }) || !bus_->running()) {
        failure_ = "the D-Bus session did not start";
        return;
    }
    setVariable("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + socket);
    setVariable("XDG_RUNTIME_DIR", directory_.string());
    setVariable("GDK_BACKEND", "x11");
    setVariable("QT_QPA_PLATFORM", "xcb");
    setVariable("NO_AT_BRIDGE", std::nullopt);
    if (withWindowManager) {
        windowManager_ = std::make_unique<ChildProcess>(std::vector<std::string>{"openbox", "--sm-disable"});
        bool managed = waitUntil([&] {
            return runCommand({"sh", "-c", "xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'"}) == 0 ||
                   !windowManager_->running();
        });
        if (!managed || !windowManager_->running())
            failure_ = "the window manager did not start";
    }
}

DesktopSession::~DesktopSession()
{
    windowManager_.reset();
    bus_.reset();
    display_.reset();
    for (auto it = savedEnvironment_.rbegin(); it != savedEnvironment_.rend(); ++it) {
        if (it->second)
            setenv(it->first.c_str(), it->second->c_str(), 1);
        else
            unsetenv(it->first.c_str());
    }
    if (!directory_.empty()) {
        std::error_code error;
        std::filesystem::remove_all(directory_, error);
    }
}

void DesktopSession::setVariable(const std::string& name, const std::optional<std::string>& value)
{
    const char* previous = std::getenv(name.c_str());
    savedEnvironment_.emplace_back(name, previous != nullptr ? std::optional<std::string>(previous) : std::nullopt);
    if (value)
        setenv(name.c_str(), value->c_str(), 1);
    else
        unsetenv(name.c_str());
}

pid_t focusedWindowProcess()
{
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr)
        return 0;
    XErrorHandler previous = XSetErrorHandler(ignoreErrors);
    Window focus;
    int revert;
    XGetInputFocus(display, &focus, &revert);
    pid_t pid = 0;
    for (int depth = 0; focus != None && focus != PointerRoot && pid == 0 && depth < 32; ++depth) {
        pid = windowProcess(display, focus);
        Window root, parent;
        Window* children = nullptr;
        unsigned int count = 0;
        if (XQueryTree(display, focus, &root, &parent, &children, &count) == 0)
            break;
        if (children != nullptr)
            XFree(children);
        if (parent == root)
            break;
        focus = parent;
    }
    XSetErrorHandler(previous);
    XCloseDisplay(display);
    return pid;
}

bool focusWindowOf(pid_t pid)
{
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr)
        return false;
    XErrorHandler previous = XSetErrorHandler(ignoreErrors);
    Window root, parent;
    Window* children = nullptr;
    unsigned int count = 0;
    bool focused = false;
    if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count) != 0) {
        for (unsigned int i = 0; i < count && !focused; ++i) {
            XWindowAttributes attributes;
            if (windowProcess(display, children[i]) != pid || XGetWindowAttributes(display, children[i], &attributes) == 0 ||
                attributes.map_state != IsViewable)
                continue;
            XSetInputFocus(display, children[i], RevertToParent, CurrentTime);
            focused = true;
        }
    }
    if (children != nullptr)
        XFree(children);
    XSync(display, False);
    XSetErrorHandler(previous);
    XCloseDisplay(display);
    return focused;
}

void userKey(const std::string& symbolName, bool down)
{
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr)
        return;
    XTestFakeKeyEvent(display, XKeysymToKeycode(display, XStringToKeysym(symbolName.c_str())), down ? True : False,
                      CurrentTime);
    XSync(display, False);
    XCloseDisplay(display);
}

bool keyIsDown(const std::string& symbolName)
{
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr)
        return false;
    char keys[32];
    XQueryKeymap(display, keys);
    KeyCode code = XKeysymToKeycode(display, XStringToKeysym(symbolName.c_str()));
    XCloseDisplay(display);
    return code != 0 && (keys[code / 8] & (1 << (code % 8))) != 0;
}

bool keyboardHasSymbol(const std::string& symbolName)
{
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr)
        return false;
    KeyCode code = XKeysymToKeycode(display, XStringToKeysym(symbolName.c_str()));
    XCloseDisplay(display);
    return code != 0;
}

} // namespace brindlemoor::testing
