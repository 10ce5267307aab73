#pragma once

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>

namespace brindlemoor {

// Modifier flags of a synthetic key event, in the numbering the key tables use.
namespace event_flags {
inline constexpr std::uint64_t command = 0x100000;
inline constexpr std::uint64_t shift = 0x20000;
inline constexpr std::uint64_t control = 0x40000;
inline constexpr std::uint64_t option = 0x80000;
inline constexpr std::uint64_t nonCoalesced = 0x100;
} // namespace event_flags

// One synthetic key press or release. `virtualKey` is a key of the ANSI layout's numbering.
struct KeyboardEvent {
    std::uint16_t virtualKey = 0;
    bool keyDown = true;
    // Set flags replace the modifier state for this one event; unset, the modifiers held at
    // the time apply.
    std::optional<std::uint64_t> flags;

    bool operator==(const KeyboardEvent&) const = default;
};

// Posts synthetic key events to the application that has the keyboard focus.
class KeyboardEvents {
public:
    virtual ~KeyboardEvents() = default;

    // None when the event cannot be made (no display, or a key the desktop has no name for).
    virtual std::optional<KeyboardEvent> createKeyboardEvent(std::uint16_t virtualKey, bool keyDown) = 0;
    virtual void post(const KeyboardEvent& event) = 0;

    // The process's keyboard events; the application installs the desktop's at start, tests a
    // recorder.
    static KeyboardEvents& shared()
    {
        KeyboardEvents* installed = slot().load(std::memory_order_acquire);
        if (installed == nullptr) {
            std::fputs("Brindlemoor: keyboard events are used before they were installed\n", stderr);
            std::abort();
        }
        return *installed;
    }
    static void install(KeyboardEvents* events) { slot().store(events, std::memory_order_release); }

private:
    static std::atomic<KeyboardEvents*>& slot()
    {
        static std::atomic<KeyboardEvents*> installed{nullptr};
        return installed;
    }
};

} // namespace brindlemoor
