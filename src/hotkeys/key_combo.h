#pragma once

#include "hotkeys/key.h"
#include "hotkeys/modifier_flags.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace brindlemoor {

class MenuModel;
class SymbolicHotKeys;

// A key combination as the hot-key layer takes it: a virtual key code and a modifier mask.
struct KeyCombo {
    using DictionaryValue = std::variant<std::int64_t, double, bool, std::string>;
    using Dictionary = std::map<std::string, DictionaryValue>;

    std::uint32_t carbonKeyCode = 0;
    std::uint32_t carbonModifiers = 0;

    KeyCombo(std::uint32_t carbonKeyCode, std::uint32_t carbonModifiers);
    KeyCombo(Key key, ModifierFlags modifiers);

    // The key of the code; none when the code names no key.
    std::optional<Key> key() const;
    // No key stores code 0 (which is also the code of A).
    void setKey(std::optional<Key> key);
    ModifierFlags modifiers() const;
    void setModifiers(ModifierFlags modifiers);

    // The modifier glyphs, then the key's description when the code names a key.
    std::string description() const;

    // {"keyCode": code, "modifiers": mask}
    Dictionary asDictionary() const;
    // Both keys must hold integers within the 32-bit unsigned range; anything else gives none.
    static std::optional<KeyCombo> fromDictionary(const Dictionary& dictionary);

    // The enabled shortcuts the desktop reserves for itself; empty when they cannot be read.
    static std::vector<KeyCombo> symbolicHotKeyCombos(SymbolicHotKeys& desktop);
    // The key equivalents of a main menu and all its submenus, depth first; empty without a menu.
    static std::vector<KeyCombo> menuKeyCombos(const MenuModel* mainMenu);
    // Forty-six combinations applications commonly use, in a fixed order.
    static std::vector<KeyCombo> commonKeyCombos();

    friend bool operator==(const KeyCombo&, const KeyCombo&) = default;
};

} // namespace brindlemoor
