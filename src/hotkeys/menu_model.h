#pragma once

#include "hotkeys/menu_item_model.h"

#include <vector>

namespace brindlemoor {

// A menu as the hot-key library reads it: its items in order. An application with a menu bar
// builds one from its own menus to learn which combinations they already use.
class MenuModel {
public:
    MenuModel() = default;
    explicit MenuModel(std::vector<MenuItemModel> items) : items_(std::move(items)) {}

    const std::vector<MenuItemModel>& itemArray() const { return items_; }

private:
    std::vector<MenuItemModel> items_;
};

} // namespace brindlemoor
