#pragma once

#include "hotkeys/symbolic_hot_keys.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brindlemoor {

// The GNOME desktop's own shortcuts (window manager, shell, media keys), read from GSettings
// and turned into hot-key codes and masks with the usual modifier convention (Control is
// command, Super is control, Alt is option).
class GSettingsSymbolicHotKeys final : public SymbolicHotKeys {
public:
    explicit GSettingsSymbolicHotKeys(std::vector<std::string> schemaIds = defaultSchemaIds());

    static std::vector<std::string> defaultSchemaIds();

    // Every binding of every installed schema in order; an error when none is installed.
    Listing copySymbolicHotKeys() override;

    // One accelerator such as "<Primary><Alt>Delete"; none for an empty or "disabled" one.
    // A key or modifier without a hot-key counterpart leaves that field empty.
    static std::optional<SymbolicHotKeyEntry> entryForAccelerator(std::string_view accelerator);

private:
    std::vector<std::string> schemaIds_;
};

} // namespace brindlemoor
