#pragma once

#include "hotkeys/symbolic_hot_key_entry.h"
#include "platform/platform_error.h"

#include <optional>
#include <vector>

namespace brindlemoor {

// The desktop's own global shortcuts, in hot-key codes and masks, where they can be read.
class SymbolicHotKeys {
public:
    struct Listing {
        std::vector<SymbolicHotKeyEntry> entries;
        // Set when the shortcuts could not be read; the entries are empty then.
        std::optional<PlatformError> error;
    };

    virtual ~SymbolicHotKeys() = default;

    virtual Listing copySymbolicHotKeys() = 0;
};

} // namespace brindlemoor
