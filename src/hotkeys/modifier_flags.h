#pragma once

#include <cstdint>
#include <string>

namespace brindlemoor {

// The modifier keys of a keyboard event as a bit set, with the event flags' own bit values.
// On Linux, command is the Control key, control is Super, option is Alt.
class ModifierFlags {
public:
    using RawValue = std::uint64_t;

    constexpr ModifierFlags() = default;
    constexpr explicit ModifierFlags(RawValue rawValue) : rawValue_(rawValue) {}

    static const ModifierFlags capsLock;
    static const ModifierFlags shift;
    static const ModifierFlags control;
    static const ModifierFlags option;
    static const ModifierFlags command;
    static const ModifierFlags numericPad;
    static const ModifierFlags help;
    static const ModifierFlags function;

    // From a hot-key modifier mask; bits other than the four modifiers are dropped.
    static ModifierFlags fromCarbonFlags(std::uint32_t carbonFlags);
    // The hot-key modifier mask; caps lock, function, numeric pad and help are dropped.
    std::uint32_t carbonFlags() const;

    // The glyphs of the flags present, in the order control, option, shift, command.
    std::string description() const;

    constexpr RawValue rawValue() const { return rawValue_; }
    constexpr bool contains(ModifierFlags other) const { return (rawValue_ & other.rawValue_) == other.rawValue_; }

    friend constexpr ModifierFlags operator|(ModifierFlags lhs, ModifierFlags rhs)
    {
        return ModifierFlags(lhs.rawValue_ | rhs.rawValue_);
    }
    friend constexpr bool operator==(ModifierFlags, ModifierFlags) = default;

private:
    RawValue rawValue_ = 0;
};

inline constexpr ModifierFlags ModifierFlags::capsLock{0x10000};
inline constexpr ModifierFlags ModifierFlags::shift{0x20000};
inline constexpr ModifierFlags ModifierFlags::control{0x40000};
inline constexpr ModifierFlags ModifierFlags::option{0x80000};
inline constexpr ModifierFlags ModifierFlags::command{0x100000};
inline constexpr ModifierFlags ModifierFlags::numericPad{0x200000};
inline constexpr ModifierFlags ModifierFlags::help{0x400000};
inline constexpr ModifierFlags ModifierFlags::function{0x800000};

} // namespace brindlemoor
