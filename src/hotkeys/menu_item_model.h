#pragma once

#include "hotkeys/modifier_flags.h"

#include <memory>
#include <string>

namespace brindlemoor {

class MenuModel;

// What the hot-key library reads of one menu item: its key equivalent (the key's character
// or name; empty for none), the modifiers that go with it, and its submenu if it has one.
struct MenuItemModel {
    std::string keyEquivalent;
    ModifierFlags keyEquivalentModifierMask;
    std::shared_ptr<const MenuModel> submenu;
};

} // namespace brindlemoor
