#include "hotkeys/modifier_flags.h"

#include "hotkeys/carbon_modifiers.h"

namespace brindlemoor {
namespace {

struct ModifierRow {
    ModifierFlags flag;
    std::uint32_t carbonBit;
    const char* glyph;
};

// In the order their glyphs are written.
constexpr ModifierRow modifierRows[] = {
    {ModifierFlags::control, carbon::controlKey, "\u2303"},
    {ModifierFlags::option, carbon::optionKey, "\u2325"},
    {ModifierFlags::shift, carbon::shiftKey, "\u21E7"},
    {ModifierFlags::command, carbon::cmdKey, "\u2318"},
};

} // namespace

ModifierFlags ModifierFlags::fromCarbonFlags(std::uint32_t carbonFlags)
{
    ModifierFlags flags;
    for (const ModifierRow& row : modifierRows) {
        if ((carbonFlags & row.carbonBit) != 0)
            flags = flags | row.flag;
    }
    return flags;
}

std::uint32_t ModifierFlags::carbonFlags() const
{
    std::uint32_t carbonFlags = 0;
    for (const ModifierRow& row : modifierRows) {
        if (contains(row.flag))
            carbonFlags |= row.carbonBit;
    }
    return carbonFlags;
}

std::string ModifierFlags::description() const
{
    std::string text;
    for (const ModifierRow& row : modifierRows) {
        if (contains(row.flag))
            text += row.glyph;
    }
    return text;
}

} // namespace brindlemoor
