#pragma once

#include <cstdint>

namespace brindlemoor {

// Tags a registration: the registrant's signature and its own number for the hot key.
struct EventHotKeyID {
    std::uint32_t signature = 0;
    std::uint32_t id = 0;

    friend bool operator==(const EventHotKeyID&, const EventHotKeyID&) = default;
};

} // namespace brindlemoor
