#pragma once

#include <xcb/xcb.h>

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>

namespace brindlemoor::testing {

// A second client of the test's X server: types with XTest as a user would, holds grabs as
// a rival program would, and changes the keyboard map.
class XTestClient {
public:
    explicit XTestClient(const std::string& displayName);

    bool connected() const;

    std::optional<xcb_keycode_t> keycodeFor(std::uint32_t keySymbol) const;
    void pressKeycode(xcb_keycode_t keycode);
    void releaseKeycode(xcb_keycode_t keycode);
    // Presses the modifiers in order, then the key, and lets go in reverse order.
    void typeCombination(std::initializer_list<std::uint32_t> modifierSymbols, std::uint32_t keySymbol);
    void tap(std::uint32_t keySymbol);

    // Whether the server granted the grab on the root window.
    bool grab(xcb_keycode_t keycode, std::uint16_t modifiers);
    void ungrab(xcb_keycode_t keycode, std::uint16_t modifiers);
    // The modifier and lock state the server reports now.
    std::uint16_t modifierState();
    // Gives a keycode this single symbol.
    void remap(xcb_keycode_t keycode, std::uint32_t keySymbol);
    // Waits until the server has handled everything sent so far.
    void sync();

private:
    struct Disconnect {
        void operator()(xcb_connection_t* connection) const { xcb_disconnect(connection); }
    };
    void fakeKey(std::uint8_t type, xcb_keycode_t keycode);

    std::unique_ptr<xcb_connection_t, Disconnect> connection_;
    xcb_window_t root_ = 0;
};

} // namespace brindlemoor::testing
