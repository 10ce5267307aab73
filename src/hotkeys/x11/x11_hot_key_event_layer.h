#pragma once

#include "hotkeys/hot_key_event_layer.h"
#include "hotkeys/x11/wake_event.h"
#include "hotkeys/x11/x11_keyboard_map.h"
#include "platform/platform_error.h"

#include <xcb/xcb.h>

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace brindlemoor {

// Global hot keys on an X server: each combination is grabbed on the root window, in every
// variant of the lock keys, over a connection of its own. One thread reads that connection,
// sleeping until the server or the main thread has something; presses and releases go to the
// installed handler on the main queue. The grabs follow changes of the keyboard map.
class X11HotKeyEventLayer final : public HotKeyEventLayer {
public:
    // Connects to `displayName` (the DISPLAY variable when empty); none, with the reason in
    // `error`, when there is no X server to connect to.
    static std::unique_ptr<X11HotKeyEventLayer> open(PlatformError* error = nullptr,
                                                     const std::string& displayName = {});
    ~X11HotKeyEventLayer() override;

    HotKeyRegistration registerEventHotKey(std::uint32_t carbonKeyCode, std::uint32_t carbonModifiers,
                                           EventHotKeyID hotKeyID) override;
    OSStatus unregisterEventHotKey(EventHotKeyRef reference) override;
    HandlerInstallation installEventHandler(EventHandler handler, std::vector<EventTypeSpec> eventTypes) override;

private:
    struct Disconnect {
        void operator()(xcb_connection_t* connection) const { xcb_disconnect(connection); }
    };
    using Connection = std::unique_ptr<xcb_connection_t, Disconnect>;

    struct Registration {
        std::uint32_t carbonKeyCode = 0;
        std::uint32_t carbonModifiers = 0;
        std::uint32_t keySymbol = 0;
        EventHotKeyID hotKeyID;
        // The grab as it stands: none while the keyboard has no key for the symbol.
        std::optional<xcb_keycode_t> keycode;
        std::uint16_t modifiers = 0;
        std::vector<std::uint16_t> grabbedMasks;
        // The keycode of a press whose release has not come yet.
        std::optional<xcb_keycode_t> pressedKeycode;
    };

    X11HotKeyEventLayer(Connection connection, xcb_window_t root, X11KeyboardMap keyboard,
                        std::optional<std::uint8_t> xkbFirstEvent);

    template <typename Result>
    Result onEventThread(std::function<Result()> work, Result failure);

    // Everything below runs on the event thread.
    void run();
    void runCommands();
    HotKeyRegistration addRegistration(Registration registration);
    OSStatus removeRegistration(EventHotKeyRef reference);
    OSStatus grab(Registration& registration);
    void ungrab(Registration& registration);
    bool combinationTaken(const Registration& registration, xcb_keycode_t keycode, std::uint16_t modifiers) const;
    void handleEvent(const xcb_generic_event_t& event, bool& keyboardChanged);
    void handleKey(const xcb_key_press_event_t& event, bool pressed);
    void refreshKeyboard();
    void dispatch(std::uint32_t kind, EventHotKeyID hotKeyID);
    void roundTrip();
    std::string describe(const Registration& registration) const;

    Connection connection_;
    xcb_window_t root_;
    X11KeyboardMap keyboard_;
    std::optional<std::uint8_t> xkbFirstEvent_;
    std::map<EventHotKeyRef, Registration> registrations_;
    EventHotKeyRef nextReference_ = 1;
    EventHandlerRef nextHandlerReference_ = 1;
    EventHandler handler_;
    std::vector<EventTypeSpec> handlerTypes_;

    WakeEvent wake_;
    std::mutex mutex_;
    std::deque<std::function<void()>> commands_;
    bool running_ = true;
    bool stopping_ = false;
    std::thread thread_;
};

} // namespace brindlemoor
