#pragma once

#include "hotkeys/event_hot_key_id.h"

#include <cstdint>
#include <optional>

namespace brindlemoor {

namespace carbon {
inline constexpr std::uint32_t kEventClassKeyboard = 0x6B657962; // 'keyb'
inline constexpr std::uint32_t kEventHotKeyPressed = 5;
inline constexpr std::uint32_t kEventHotKeyReleased = 6;
} // namespace carbon

// An event class and kind a handler asks for.
struct EventTypeSpec {
    std::uint32_t eventClass = 0;
    std::uint32_t eventKind = 0;

    friend bool operator==(const EventTypeSpec&, const EventTypeSpec&) = default;
};

// A registered combination was pressed or released.
struct HotKeyEvent {
    std::uint32_t eventClass = carbon::kEventClassKeyboard;
    std::uint32_t kind = 0;
    // Empty when the event carries no hot-key ID.
    std::optional<EventHotKeyID> hotKeyID;
};

} // namespace brindlemoor
