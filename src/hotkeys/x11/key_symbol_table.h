#pragma once

#include <cstdint>
#include <optional>

namespace brindlemoor {

// Between the hot-key virtual key codes and X keysyms: the symbol each key position carries
// on a US keyboard under the modifier convention (command is Control, control is Super,
// option is Alt).
class KeySymbolTable {
public:
    KeySymbolTable() = delete;

    static std::optional<std::uint32_t> keySymbolForCarbonKeyCode(std::uint32_t carbonKeyCode);
    // Upper-case letters give their letter key.
    static std::optional<std::uint32_t> carbonKeyCodeForKeySymbol(std::uint32_t keySymbol);
};

} // namespace brindlemoor
