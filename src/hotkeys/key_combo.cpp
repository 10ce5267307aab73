#include "hotkeys/key_combo.h"

#include "hotkeys/carbon_modifiers.h"
#include "hotkeys/menu_model.h"
#include "hotkeys/symbolic_hot_keys.h"

#include <limits>

namespace brindlemoor {
namespace {

constexpr char keyCodeKey[] = "keyCode";
constexpr char modifiersKey[] = "modifiers";

std::optional<std::uint32_t> unsignedValue(const KeyCombo::Dictionary& dictionary, const char* key)
{
    const auto found = dictionary.find(key);
    if (found == dictionary.end())
        return std::nullopt;
    const auto* integer = std::get_if<std::int64_t>(&found->second);
    // A value that does not fit would otherwise wrap into some other key or mask.
    if (integer == nullptr || *integer < 0 || *integer > std::numeric_limits<std::uint32_t>::max())
        return std::nullopt;
    return static_cast<std::uint32_t>(*integer);
}

void appendMenuKeyCombos(const MenuModel& menu, std::vector<KeyCombo>& combos)
{
    for (const MenuItemModel& item : menu.itemArray()) {
        if (const auto key = Key::fromName(item.keyEquivalent))
            combos.emplace_back(key->carbonKeyCode(), item.keyEquivalentModifierMask.carbonFlags());
        if (item.submenu)
            appendMenuKeyCombos(*item.submenu, combos);
    }
}

} // namespace

KeyCombo::KeyCombo(std::uint32_t carbonKeyCode, std::uint32_t carbonModifiers)
    : carbonKeyCode(carbonKeyCode), carbonModifiers(carbonModifiers)
{
}

KeyCombo::KeyCombo(Key key, ModifierFlags modifiers)
    : carbonKeyCode(key.carbonKeyCode()), carbonModifiers(modifiers.carbonFlags())
{
}

std::optional<Key> KeyCombo::key() const
{
    return Key::fromCarbonKeyCode(carbonKeyCode);
}

void KeyCombo::setKey(std::optional<Key> key)
{
    carbonKeyCode = key ? key->carbonKeyCode() : 0;
}

ModifierFlags KeyCombo::modifiers() const
{
    return ModifierFlags::fromCarbonFlags(carbonModifiers);
}

void KeyCombo::setModifiers(ModifierFlags modifiers)
{
    carbonModifiers = modifiers.carbonFlags();
}

std::string KeyCombo::description() const
{
    std::string text = modifiers().description();
    if (const auto key = this->key())
        text += key->description();
    return text;
}

KeyCombo::Dictionary KeyCombo::asDictionary() const
{
    return {{keyCodeKey, std::int64_t{carbonKeyCode}}, {modifiersKey, std::int64_t{carbonModifiers}}};
}

std::optional<KeyCombo> KeyCombo::fromDictionary(const Dictionary& dictionary)
{
    const auto keyCode = unsignedValue(dictionary, keyCodeKey);
    const auto modifiers = unsignedValue(dictionary, modifiersKey);
    if (!keyCode || !modifiers)
        return std::nullopt;
    return KeyCombo(*keyCode, *modifiers);
}

std::vector<KeyCombo> KeyCombo::symbolicHotKeyCombos(SymbolicHotKeys& desktop)
{
    std::vector<KeyCombo> combos;
    const SymbolicHotKeys::Listing listing = desktop.copySymbolicHotKeys();
    if (listing.error)
        return combos;
    for (const SymbolicHotKeyEntry& entry : listing.entries) {
        if (!entry.enabled.value_or(false) || !entry.keyCode || !entry.modifiers)
            continue;
        combos.emplace_back(*entry.keyCode, *entry.modifiers);
    }
    return combos;
}

std::vector<KeyCombo> KeyCombo::menuKeyCombos(const MenuModel* mainMenu)
{
    std::vector<KeyCombo> combos;
    if (mainMenu != nullptr)
        appendMenuKeyCombos(*mainMenu, combos);
    return combos;
}

std::vector<KeyCombo> KeyCombo::commonKeyCombos()
{
    using namespace carbon;
    constexpr std::uint32_t command = cmdKey;
    constexpr std::uint32_t shiftCommand = shiftKey | cmdKey;
    constexpr std::uint32_t optionCommand = optionKey | cmdKey;
    constexpr std::uint32_t optionShiftCommand = optionKey | shiftKey | cmdKey;
    constexpr std::uint32_t controlCommand = controlKey | cmdKey;
    const std::pair<Key, std::uint32_t> entries[] = {
        {Key::comma, command},          {Key::h, command},
        {Key::h, optionCommand},        {Key::q, command},
        {Key::n, command},              {Key::o, command},
        {Key::w, command},              {Key::s, command},
        {Key::s, shiftCommand},         {Key::r, command},
        {Key::p, shiftCommand},         {Key::p, command},
        {Key::z, command},              {Key::z, shiftCommand},
        {Key::x, command},              {Key::c, command},
        {Key::v, command},              {Key::v, optionShiftCommand},
        {Key::a, command},              {Key::f, command},
        {Key::f, optionCommand},        {Key::g, command},
        {Key::g, shiftCommand},         {Key::e, command},
        {Key::j, command},              {Key::semicolon, shiftCommand},
        {Key::semicolon, command},      {Key::t, command},
        {Key::b, command},              {Key::i, command},
        {Key::u, command},              {Key::equal, shiftCommand},
        {Key::minus, command},          {Key::c, shiftCommand},
        {Key::c, optionCommand},        {Key::v, optionCommand},
        {Key::leftBracket, shiftCommand}, {Key::backslash, shiftCommand},
        {Key::rightBracket, shiftCommand}, {Key::c, controlCommand},
        {Key::v, controlCommand},       {Key::t, optionCommand},
        {Key::s, controlCommand},       {Key::f, controlCommand},
        {Key::m, command},              {Key::slash, shiftCommand},
    };
    std::vector<KeyCombo> combos;
    combos.reserve(std::size(entries));
    for (const auto& [key, modifiers] : entries)
        combos.emplace_back(key.carbonKeyCode(), modifiers);
    return combos;
}

} // namespace brindlemoor
