#pragma once

#include <cstdint>
#include <optional>

namespace brindlemoor {

// One of the desktop's own global shortcuts. A field is empty when the desktop did not give
// it, or gave something that is not a number.
struct SymbolicHotKeyEntry {
    std::optional<bool> enabled;
    std::optional<std::uint32_t> keyCode;
    std::optional<std::uint32_t> modifiers;
};

} // namespace brindlemoor
