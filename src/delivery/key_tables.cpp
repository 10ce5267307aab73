#include "delivery/key_tables.h"

#include "platform/keyboard_events.h"

namespace brindlemoor {

const std::map<std::string, std::uint16_t>& characterKeyCodes()
{
    static const std::map<std::string, std::uint16_t> table = {
        {"a", 0x00}, {"b", 0x0B}, {"c", 0x08}, {"d", 0x02}, {"e", 0x0E}, {"f", 0x03}, {"g", 0x05},
        {"h", 0x04}, {"i", 0x22}, {"j", 0x26}, {"k", 0x28}, {"l", 0x25}, {"m", 0x2E}, {"n", 0x2D},
        {"o", 0x1F}, {"p", 0x23}, {"q", 0x0C}, {"r", 0x0F}, {"s", 0x01}, {"t", 0x11}, {"u", 0x20},
        {"v", 0x09}, {"w", 0x0D}, {"x", 0x07}, {"y", 0x10}, {"z", 0x06},
        {"0", 0x1D}, {"1", 0x12}, {"2", 0x13}, {"3", 0x14}, {"4", 0x15}, {"5", 0x17}, {"6", 0x16},
        {"7", 0x1A}, {"8", 0x1C}, {"9", 0x19},
        {".", 0x2F}, {",", 0x2B},
        // Keypad keys, not the main keyboard's.
        {"+", 0x45}, {"-", 0x4E}, {"=", 0x51}, {"*", 0x43}, {"/", 0x4B},
    };
    return table;
}

const std::map<std::string, ShiftedKey>& shiftedCharacterKeys()
{
    static const std::map<std::string, ShiftedKey> table = {
        {"@", ShiftedKey{0x13, event_flags::shift}},
    };
    return table;
}

const std::map<std::string, std::uint16_t>& namedKeyCodes()
{
    static const std::map<std::string, std::uint16_t> table = {
        {"f1", 0x7A},       {"f2", 0x78},     {"f3", 0x63},     {"f4", 0x76},      {"f5", 0x60},
        {"f6", 0x61},       {"f7", 0x62},     {"f8", 0x64},     {"f9", 0x65},      {"f10", 0x6D},
        {"f11", 0x67},      {"f12", 0x6F},    {"up", 0x7E},     {"down", 0x7D},    {"left", 0x7B},
        {"right", 0x7C},    {"enter", 0x4C},  {"home", 0x73},   {"end", 0x77},     {"pagedown", 0x79},
        {"pageup", 0x74},   {"fn", 0x3F},     {"return", 0x24}, {"delete", 0x33},  {"tab", 0x30},
        {"spacebar", 0x31}, {"shift", 0x38},  {"control", 0x3B}, {"menu", 0x3A},   {"escape", 0x35},
        {"caps", 0x39},     {"help", 0x72},   {"option", 0x3A}, {"cmd", 0x37},
    };
    return table;
}

const std::map<std::string, std::string>& whitespaceKeyNames()
{
    static const std::map<std::string, std::string> table = {
        {" ", "spacebar"},
        {"\n", "return"},
        {"\t", "tab"},
    };
    return table;
}

} // namespace brindlemoor
