#pragma once

#include <xcb/xcb.h>

#include <cstdint>
#include <optional>
#include <vector>

namespace brindlemoor {

// The X server's current keyboard: which keycode carries a keysym, and which modifier bits
// the lock keys, Super and Alt sit on.
class X11KeyboardMap {
public:
    // Empty when the server did not answer.
    static std::optional<X11KeyboardMap> fetch(xcb_connection_t* connection);

    // A keycode whose unshifted symbol it is, else any keycode that carries it.
    std::optional<xcb_keycode_t> keycodeFor(std::uint32_t keySymbol) const;
    // The X modifier mask of a hot-key modifier mask: command Control, control Super,
    // option Alt, shift Shift.
    std::uint16_t modifierMaskFor(std::uint32_t carbonModifiers) const;
    // Every combination of Caps Lock, Num Lock and Scroll Lock, the empty one first.
    std::vector<std::uint16_t> lockMaskCombinations() const;
    // The modifier bits that matter for matching a key event to a grab.
    std::uint16_t significantModifiers() const;

private:
    X11KeyboardMap() = default;
    std::uint16_t maskOfFirst(std::initializer_list<std::uint32_t> keySymbols) const;

    xcb_keycode_t minKeycode_ = 0;
    std::uint8_t keysymsPerKeycode_ = 0;
    std::vector<xcb_keysym_t> keysyms_;
    // Per modifier index (Shift, Lock, Control, Mod1...Mod5), the keycodes on it.
    std::vector<std::vector<xcb_keycode_t>> modifierKeycodes_;
    std::uint16_t numLockMask_ = 0;
    std::uint16_t scrollLockMask_ = 0;
    std::uint16_t superMask_ = XCB_MOD_MASK_4;
    std::uint16_t altMask_ = XCB_MOD_MASK_1;
};

} // namespace brindlemoor
