#include "hotkeys/key.h"

#include <unicode/locid.h>
#include <unicode/unistr.h>

#include <unordered_map>
#include <utility>

namespace brindlemoor {
namespace {

struct KeyRow {
    Key::Case key;
    std::uint32_t code;
    std::string_view name;
    std::string_view description;
    // Names accepted beside the case's own name in lower case.
    std::array<std::string_view, 4> forms{};
};

// In case order; the function keys also answer to their description, added where the
// lookup is built.
constexpr KeyRow rows[] = {
    {Key::a, 0x00, "a", "A"}, {Key::b, 0x0B, "b", "B"}, {Key::c, 0x08, "c", "C"}, {Key::d, 0x02, "d", "D"},
    {Key::e, 0x0E, "e", "E"}, {Key::f, 0x03, "f", "F"}, {Key::g, 0x05, "g", "G"}, {Key::h, 0x04, "h", "H"},
    {Key::i, 0x22, "i", "I"}, {Key::j, 0x26, "j", "J"}, {Key::k, 0x28, "k", "K"}, {Key::l, 0x25, "l", "L"},
    {Key::m, 0x2E, "m", "M"}, {Key::n, 0x2D, "n", "N"}, {Key::o, 0x1F, "o", "O"}, {Key::p, 0x23, "p", "P"},
    {Key::q, 0x0C, "q", "Q"}, {Key::r, 0x0F, "r", "R"}, {Key::s, 0x01, "s", "S"}, {Key::t, 0x11, "t", "T"},
    {Key::u, 0x20, "u", "U"}, {Key::v, 0x09, "v", "V"}, {Key::w, 0x0D, "w", "W"}, {Key::x, 0x07, "x", "X"},
    {Key::y, 0x10, "y", "Y"}, {Key::z, 0x06, "z", "Z"},
    {Key::zero, 0x1D, "zero", "0", {"0"}}, {Key::one, 0x12, "one", "1", {"1"}}, {Key::two, 0x13, "two", "2", {"2"}},
    {Key::three, 0x14, "three", "3", {"3"}}, {Key::four, 0x15, "four", "4", {"4"}},
    {Key::five, 0x17, "five", "5", {"5"}}, {Key::six, 0x16, "six", "6", {"6"}},
    {Key::seven, 0x1A, "seven", "7", {"7"}}, {Key::eight, 0x1C, "eight", "8", {"8"}},
    {Key::nine, 0x19, "nine", "9", {"9"}},
    {Key::period, 0x2F, "period", ".", {"."}}, {Key::quote, 0x27, "quote", "\"", {"\""}},
    {Key::rightBracket, 0x1E, "rightBracket", "]", {"]"}}, {Key::semicolon, 0x29, "semicolon", ";", {";"}},
    {Key::slash, 0x2C, "slash", "/", {"/"}}, {Key::backslash, 0x2A, "backslash", "\\", {"\\"}},
    {Key::comma, 0x2B, "comma", ",", {","}}, {Key::equal, 0x18, "equal", "=", {"="}},
    {Key::grave, 0x32, "grave", "`", {"`", "\u02CB", "\uFF40"}},
    {Key::leftBracket, 0x21, "leftBracket", "[", {"["}}, {Key::minus, 0x1B, "minus", "-", {"-"}},
    {Key::space, 0x31, "space", "\u2423", {" ", "\u2423"}},
    {Key::tab, 0x30, "tab", "\u21E5", {"\t", "\u21E5"}},
    {Key::return_, 0x24, "return", "\u21A9\uFE0E", {"\r", "\u21A9\uFE0E", "\u23CE", "\u2B90"}},
    {Key::command, 0x37, "command", "\u2318", {"\u2318", "\uF8FF"}},
    {Key::rightCommand, 0x36, "rightCommand", "\u2318"},
    {Key::option, 0x3A, "option", "\u2325", {"\u2325"}},
    {Key::rightOption, 0x3D, "rightOption", "\u2325"},
    {Key::control, 0x3B, "control", "\u2303", {"\u2303"}},
    {Key::rightControl, 0x3E, "rightControl", "\u2303"},
    {Key::shift, 0x38, "shift", "\u21E7", {"\u21E7"}},
    {Key::rightShift, 0x3C, "rightShift", "\u21E7"},
    {Key::function, 0x3F, "function", "fn", {"fn"}},
    {Key::capsLock, 0x39, "capsLock", "\u21EA", {"\u21EA"}},
    {Key::pageUp, 0x74, "pageUp", "\u21DE", {"\u21DE"}}, {Key::pageDown, 0x79, "pageDown", "\u21DF", {"\u21DF"}},
    {Key::home, 0x73, "home", "\u2196", {"\u2196"}}, {Key::end, 0x77, "end", "\u2198", {"\u2198"}},
    {Key::upArrow, 0x7E, "upArrow", "\u2191", {"\u2191"}},
    {Key::rightArrow, 0x7C, "rightArrow", "\u2192", {"\u2192"}},
    {Key::downArrow, 0x7D, "downArrow", "\u2193", {"\u2193"}},
    {Key::leftArrow, 0x7B, "leftArrow", "\u2190", {"\u2190"}},
    {Key::f1, 0x7A, "f1", "\uF860F1"}, {Key::f2, 0x78, "f2", "\uF860F2"}, {Key::f3, 0x63, "f3", "\uF860F3"},
    {Key::f4, 0x76, "f4", "\uF860F4"}, {Key::f5, 0x60, "f5", "\uF860F5"}, {Key::f6, 0x61, "f6", "\uF860F6"},
    {Key::f7, 0x62, "f7", "\uF860F7"}, {Key::f8, 0x64, "f8", "\uF860F8"}, {Key::f9, 0x65, "f9", "\uF860F9"},
    {Key::f10, 0x6D, "f10", "\uF861F10"}, {Key::f11, 0x67, "f11", "\uF861F11"},
    {Key::f12, 0x6F, "f12", "\uF861F12"}, {Key::f13, 0x69, "f13", "\uF861F13"},
    {Key::f14, 0x6B, "f14", "\uF861F14"}, {Key::f15, 0x71, "f15", "\uF861F15"},
    {Key::f16, 0x6A, "f16", "\uF861F16"}, {Key::f17, 0x40, "f17", "\uF861F17"},
    {Key::f18, 0x4F, "f18", "\uF861F18"}, {Key::f19, 0x50, "f19", "\uF861F19"},
    {Key::f20, 0x5A, "f20", "\uF861F20"},
    {Key::keypad0, 0x52, "keypad0", "0"}, {Key::keypad1, 0x53, "keypad1", "1"},
    {Key::keypad2, 0x54, "keypad2", "2"}, {Key::keypad3, 0x55, "keypad3", "3"},
    {Key::keypad4, 0x56, "keypad4", "4"}, {Key::keypad5, 0x57, "keypad5", "5"},
    {Key::keypad6, 0x58, "keypad6", "6"}, {Key::keypad7, 0x59, "keypad7", "7"},
    {Key::keypad8, 0x5B, "keypad8", "8"}, {Key::keypad9, 0x5C, "keypad9", "9"},
    {Key::keypadClear, 0x47, "keypadClear", "\u2327", {"\u2327"}},
    {Key::keypadDecimal, 0x41, "keypadDecimal", "."}, {Key::keypadDivide, 0x4B, "keypadDivide", "/"},
    {Key::keypadEnter, 0x4C, "keypadEnter", "\u21A9\uFE0E"}, {Key::keypadEquals, 0x51, "keypadEquals", "="},
    {Key::keypadMinus, 0x4E, "keypadMinus", "-"}, {Key::keypadMultiply, 0x43, "keypadMultiply", "\U0001D5D1"},
    {Key::keypadPlus, 0x45, "keypadPlus", "+"},
    {Key::escape, 0x35, "escape", "\u238B", {"\u238B"}}, {Key::delete_, 0x33, "delete", "\u232B", {"\u232B"}},
    {Key::forwardDelete, 0x75, "forwardDelete", "\u2326", {"\u2326"}},
    {Key::help, 0x72, "help", "?\u20DD", {"?\u20DD"}},
    {Key::volumeUp, 0x48, "volumeUp", "\U0001F50A", {"\U0001F50A"}},
    {Key::volumeDown, 0x49, "volumeDown", "\U0001F509", {"\U0001F509"}},
    {Key::mute, 0x4A, "mute", "\U0001F507", {"\U0001F507"}},
};
static_assert(std::size(rows) == Key::caseCount);

constexpr bool rowsFollowCaseOrder()
{
    for (std::size_t index = 0; index < std::size(rows); ++index) {
        if (rows[index].key != index)
            return false;
    }
    return true;
}
static_assert(rowsFollowCaseOrder());

constexpr std::uint32_t highestKeyCode = 0x7E;

std::string lowercased(std::string_view text)
{
    std::string result;
    icu::UnicodeString::fromUTF8(icu::StringPiece(text.data(), static_cast<std::int32_t>(text.size())))
        .toLower(icu::Locale::getRoot())
        .toUTF8String(result);
    return result;
}

const std::unordered_map<std::string, Key>& keysByForm()
{
    static const auto table = [] {
        std::unordered_map<std::string, Key> forms;
        for (const KeyRow& row : rows) {
            forms.emplace(lowercased(row.name), row.key);
            for (std::string_view form : row.forms) {
                if (!form.empty())
                    forms.emplace(lowercased(form), row.key);
            }
            if (row.key >= Key::f1 && row.key <= Key::f20)
                forms.emplace(lowercased(row.description), row.key);
        }
        return forms;
    }();
    return table;
}

const std::array<std::optional<Key>, highestKeyCode + 1>& keysByCode()
{
    static const auto table = [] {
        std::array<std::optional<Key>, highestKeyCode + 1> keys{};
        for (const KeyRow& row : rows)
            keys[row.code] = row.key;
        return keys;
    }();
    return table;
}

} // namespace

std::optional<Key> Key::fromCarbonKeyCode(std::uint32_t carbonKeyCode)
{
    if (carbonKeyCode > highestKeyCode)
        return std::nullopt;
    return keysByCode()[carbonKeyCode];
}

std::optional<Key> Key::fromName(std::string_view name)
{
    const auto& forms = keysByForm();
    const auto found = forms.find(lowercased(name));
    if (found == forms.end())
        return std::nullopt;
    return found->second;
}

const std::array<Key, Key::caseCount>& Key::allCases()
{
    static const auto cases = []<std::size_t... index>(std::index_sequence<index...>) {
        return std::array<Key, caseCount>{rows[index].key...};
    }(std::make_index_sequence<caseCount>{});
    return cases;
}

std::uint32_t Key::carbonKeyCode() const
{
    return rows[value_].code;
}

std::string_view Key::name() const
{
    return rows[value_].name;
}

std::string Key::description() const
{
    return std::string(rows[value_].description);
}

} // namespace brindlemoor
