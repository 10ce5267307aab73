#include "hotkeys/x11/x11_keyboard_map.h"

#include "hotkeys/carbon_modifiers.h"
#include "hotkeys/x11/xcb_reply.h"

#include <X11/keysym.h>

#include <algorithm>

namespace brindlemoor {

std::optional<X11KeyboardMap> X11KeyboardMap::fetch(xcb_connection_t* connection)
{
    const xcb_setup_t* setup = xcb_get_setup(connection);
    const auto keycodeCount = static_cast<std::uint8_t>(setup->max_keycode - setup->min_keycode + 1);
    const auto keyboardCookie = xcb_get_keyboard_mapping(connection, setup->min_keycode, keycodeCount);
    const auto modifierCookie = xcb_get_modifier_mapping(connection);
    XcbReply<xcb_get_keyboard_mapping_reply_t> keyboard(
        xcb_get_keyboard_mapping_reply(connection, keyboardCookie, nullptr));
    XcbReply<xcb_get_modifier_mapping_reply_t> modifiers(
        xcb_get_modifier_mapping_reply(connection, modifierCookie, nullptr));
    if (!keyboard || !modifiers)
        return std::nullopt;

    X11KeyboardMap map;
    map.minKeycode_ = setup->min_keycode;
    map.keysymsPerKeycode_ = keyboard->keysyms_per_keycode;
    const xcb_keysym_t* keysyms = xcb_get_keyboard_mapping_keysyms(keyboard.get());
    map.keysyms_.assign(keysyms, keysyms + xcb_get_keyboard_mapping_keysyms_length(keyboard.get()));

    const xcb_keycode_t* keycodes = xcb_get_modifier_mapping_keycodes(modifiers.get());
    const int perModifier = modifiers->keycodes_per_modifier;
    map.modifierKeycodes_.resize(8);
    for (int index = 0; index < 8; ++index) {
        for (int slot = 0; slot < perModifier; ++slot) {
            if (const xcb_keycode_t keycode = keycodes[index * perModifier + slot])
                map.modifierKeycodes_[index].push_back(keycode);
        }
    }
    map.numLockMask_ = map.maskOfFirst({XK_Num_Lock});
    map.scrollLockMask_ = map.maskOfFirst({XK_Scroll_Lock});
    if (const std::uint16_t super = map.maskOfFirst({XK_Super_L, XK_Super_R}))
        map.superMask_ = super;
    if (const std::uint16_t alt = map.maskOfFirst({XK_Alt_L, XK_Alt_R, XK_Meta_L}))
        map.altMask_ = alt;
    return map;
}

std::optional<xcb_keycode_t> X11KeyboardMap::keycodeFor(std::uint32_t keySymbol) const
{
    if (keysymsPerKeycode_ == 0)
        return std::nullopt;
    const std::size_t keycodeCount = keysyms_.size() / keysymsPerKeycode_;
    for (std::size_t level : {std::size_t{0}, std::size_t{1}}) {
        for (std::size_t index = 0; index < keycodeCount; ++index) {
            const auto* row = &keysyms_[index * keysymsPerKeycode_];
            const bool found = level == 0 ? row[0] == keySymbol
                                          : std::find(row, row + keysymsPerKeycode_, keySymbol) != row + keysymsPerKeycode_;
            if (found)
                return static_cast<xcb_keycode_t>(minKeycode_ + index);
        }
    }
    return std::nullopt;
}

std::uint16_t X11KeyboardMap::modifierMaskFor(std::uint32_t carbonModifiers) const
{
    std::uint16_t mask = 0;
    if ((carbonModifiers & carbon::cmdKey) != 0)
        mask |= XCB_MOD_MASK_CONTROL;
    if ((carbonModifiers & carbon::controlKey) != 0)
        mask |= superMask_;
    if ((carbonModifiers & carbon::optionKey) != 0)
        mask |= altMask_;
    if ((carbonModifiers & carbon::shiftKey) != 0)
        mask |= XCB_MOD_MASK_SHIFT;
    return mask;
}

std::vector<std::uint16_t> X11KeyboardMap::lockMaskCombinations() const
{
    std::vector<std::uint16_t> locks{XCB_MOD_MASK_LOCK};
    for (std::uint16_t lock : {numLockMask_, scrollLockMask_}) {
        if (lock != 0 && std::find(locks.begin(), locks.end(), lock) == locks.end())
            locks.push_back(lock);
    }
    std::vector<std::uint16_t> combinations;
    for (unsigned subset = 0; subset < (1u << locks.size()); ++subset) {
        std::uint16_t mask = 0;
        for (std::size_t bit = 0; bit < locks.size(); ++bit) {
            if ((subset & (1u << bit)) != 0)
                mask |= locks[bit];
        }
        combinations.push_back(mask);
    }
    return combinations;
}

std::uint16_t X11KeyboardMap::significantModifiers() const
{
    return static_cast<std::uint16_t>(XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_CONTROL | superMask_ | altMask_);
}

std::uint16_t X11KeyboardMap::maskOfFirst(std::initializer_list<std::uint32_t> keySymbols) const
{
    for (std::uint32_t keySymbol : keySymbols) {
        for (std::size_t index = 0; index < modifierKeycodes_.size(); ++index) {
            for (xcb_keycode_t keycode : modifierKeycodes_[index]) {
                const std::size_t offset = static_cast<std::size_t>(keycode - minKeycode_) * keysymsPerKeycode_;
                if (offset + keysymsPerKeycode_ > keysyms_.size())
                    continue;
                const auto* row = &keysyms_[offset];
                if (std::find(row, row + keysymsPerKeycode_, keySymbol) != row + keysymsPerKeycode_)
                    return static_cast<std::uint16_t>(1u << index);
            }
        }
    }
    return 0;
}

} // namespace brindlemoor
