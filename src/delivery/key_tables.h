#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace brindlemoor {

// Fixed tables from characters and key names to the virtual key codes of the ANSI layout.
// Each is built once, safely against concurrent first use, and only read afterwards.
struct ShiftedKey {
    std::uint16_t keyCode;
    std::uint64_t flags;
};

const std::map<std::string, std::uint16_t>& characterKeyCodes();
const std::map<std::string, ShiftedKey>& shiftedCharacterKeys();
const std::map<std::string, std::uint16_t>& namedKeyCodes();
const std::map<std::string, std::string>& whitespaceKeyNames();

} // namespace brindlemoor
