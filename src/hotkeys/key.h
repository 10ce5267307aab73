#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace brindlemoor {

// A named key of the keyboard the hot-key codes come from, with its virtual key code
// (ANSI positions) and the glyph shown for it. Compared and hashed by case.
class Key {
public:
    // Declaration order is the case index. `return_` and `delete_` are spelled so because
    // their names are C++ keywords; their names as text are "return" and "delete".
    enum Case : std::uint8_t {
        a, b, c, d, e, f, g, h, i, j, k, l, m, n, o, p, q, r, s, t, u, v, w, x, y, z,
        zero, one, two, three, four, five, six, seven, eight, nine,
        period, quote, rightBracket, semicolon, slash, backslash, comma, equal, grave, leftBracket, minus,
        space, tab, return_,
        command, rightCommand, option, rightOption, control, rightControl, shift, rightShift, function, capsLock,
        pageUp, pageDown, home, end, upArrow, rightArrow, downArrow, leftArrow,
        f1, f2, f3, f4, f5, f6, f7, f8, f9, f10, f11, f12, f13, f14, f15, f16, f17, f18, f19, f20,
        keypad0, keypad1, keypad2, keypad3, keypad4, keypad5, keypad6, keypad7, keypad8, keypad9,
        keypadClear, keypadDecimal, keypadDivide, keypadEnter, keypadEquals, keypadMinus, keypadMultiply, keypadPlus,
        escape, delete_, forwardDelete, help, volumeUp, volumeDown, mute,
    };
    static constexpr std::size_t caseCount = 113;

    constexpr Key(Case value) : value_(value) {}

    // The key whose virtual key code this is; none above 126 or for a code without a key.
    static std::optional<Key> fromCarbonKeyCode(std::uint32_t carbonKeyCode);
    // The key a name, glyph or character stands for; none when it is not recognised.
    static std::optional<Key> fromName(std::string_view name);
    static const std::array<Key, caseCount>& allCases();

    constexpr Case value() const { return value_; }
    std::uint32_t carbonKeyCode() const;
    // The case's name as text, e.g. "pageUp".
    std::string_view name() const;
    // The display text: the letter, digit, character or glyph on the key.
    std::string description() const;

    friend constexpr bool operator==(Key lhs, Key rhs) { return lhs.value_ == rhs.value_; }

private:
    Case value_;
};

} // namespace brindlemoor

template <>
struct std::hash<brindlemoor::Key> {
    std::size_t operator()(brindlemoor::Key key) const noexcept { return std::hash<int>()(key.value()); }
};
