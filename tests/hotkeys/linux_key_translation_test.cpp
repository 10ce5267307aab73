#include "hotkeys/carbon_modifiers.h"
#include "hotkeys/gnome/gsettings_symbolic_hot_keys.h"
#include "hotkeys/key.h"
#include "hotkeys/key_combo.h"
#include "hotkeys/x11/key_symbol_table.h"

#include <X11/XF86keysym.h>
#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>

namespace brindlemoor {
namespace {

using namespace carbon;

TEST(KeySymbolTable, EveryKeyHasItsOwnSymbolAndTheSymbolLeadsBack)
{
    std::set<std::uint32_t> symbols;
    for (const Key key : Key::allCases()) {
        const auto symbol = KeySymbolTable::keySymbolForCarbonKeyCode(key.carbonKeyCode());
        ASSERT_TRUE(symbol.has_value()) << key.name();
        EXPECT_TRUE(symbols.insert(*symbol).second) << key.name();
        EXPECT_EQ(KeySymbolTable::carbonKeyCodeForKeySymbol(*symbol), key.carbonKeyCode()) << key.name();
    }
    EXPECT_EQ(KeySymbolTable::keySymbolForCarbonKeyCode(Key(Key::one).carbonKeyCode()), XK_1);
    EXPECT_EQ(KeySymbolTable::keySymbolForCarbonKeyCode(Key(Key::command).carbonKeyCode()), XK_Control_L);
    EXPECT_EQ(KeySymbolTable::keySymbolForCarbonKeyCode(Key(Key::control).carbonKeyCode()), XK_Super_L);
    EXPECT_EQ(KeySymbolTable::keySymbolForCarbonKeyCode(Key(Key::delete_).carbonKeyCode()), XK_BackSpace);
    EXPECT_EQ(KeySymbolTable::keySymbolForCarbonKeyCode(0x0A), std::nullopt);
    EXPECT_EQ(KeySymbolTable::carbonKeyCodeForKeySymbol(XK_Q), Key(Key::q).carbonKeyCode());
    EXPECT_EQ(KeySymbolTable::carbonKeyCodeForKeySymbol(XF86XK_Calculator), std::nullopt);
}

TEST(DesktopAccelerators, TranslateWithControlAsCommandAndSuperAsControl)
{
    const auto close = GSettingsSymbolicHotKeys::entryForAccelerator("<Alt>F4");
    ASSERT_TRUE(close.has_value());
    EXPECT_EQ(close->enabled, true);
    EXPECT_EQ(close->keyCode, Key(Key::f4).carbonKeyCode());
    EXPECT_EQ(close->modifiers, optionKey);

    const auto logout = GSettingsSymbolicHotKeys::entryForAccelerator("<Primary><Alt>Delete");
    EXPECT_EQ(logout->keyCode, Key(Key::forwardDelete).carbonKeyCode());
    EXPECT_EQ(logout->modifiers, cmdKey | optionKey);

    const auto workspace = GSettingsSymbolicHotKeys::entryForAccelerator("<Shift><Super>Page_Up");
    EXPECT_EQ(workspace->keyCode, Key(Key::pageUp).carbonKeyCode());
    EXPECT_EQ(workspace->modifiers, shiftKey | controlKey);

    EXPECT_EQ(GSettingsSymbolicHotKeys::entryForAccelerator("<Control>T")->keyCode, Key(Key::t).carbonKeyCode());
    EXPECT_EQ(GSettingsSymbolicHotKeys::entryForAccelerator("<ctrl>return")->keyCode,
              Key(Key::return_).carbonKeyCode());
}

TEST(DesktopAccelerators, WhatHasNoHotKeyCounterpartLeavesItsFieldEmpty)
{
    EXPECT_EQ(GSettingsSymbolicHotKeys::entryForAccelerator(""), std::nullopt);
    EXPECT_EQ(GSettingsSymbolicHotKeys::entryForAccelerator("disabled"), std::nullopt);
    EXPECT_EQ(GSettingsSymbolicHotKeys::entryForAccelerator("XF86Calculator")->keyCode, std::nullopt);
    EXPECT_EQ(GSettingsSymbolicHotKeys::entryForAccelerator("<Mod5>a")->modifiers, std::nullopt);
    EXPECT_EQ(GSettingsSymbolicHotKeys::entryForAccelerator("<Super>")->keyCode, std::nullopt);
}

TEST(GSettingsSymbolicHotKeys, ReadsTheInstalledWindowManagerBindings)
{
    setenv("GSETTINGS_BACKEND", "memory", 1);
    GSettingsSymbolicHotKeys desktop({"org.gnome.desktop.wm.keybindings"});
    const SymbolicHotKeys::Listing listing = desktop.copySymbolicHotKeys();
    ASSERT_FALSE(listing.error.has_value())
        << "the schema org.gnome.desktop.wm.keybindings (gsettings-desktop-schemas) is not installed";
    const std::vector<KeyCombo> combos = KeyCombo::symbolicHotKeyCombos(desktop);
    EXPECT_NE(std::find(combos.begin(), combos.end(), KeyCombo(Key::f4, ModifierFlags::option)), combos.end());
}

TEST(GSettingsSymbolicHotKeys, WithoutAnyKnownSchemaAnswersAnErrorAndTheListIsEmpty)
{
    GSettingsSymbolicHotKeys desktop({"org.brindlemoor.no.such.schema"});
    const SymbolicHotKeys::Listing listing = desktop.copySymbolicHotKeys();
    ASSERT_TRUE(listing.error.has_value());
    EXPECT_FALSE(listing.error->description.empty());
    EXPECT_TRUE(KeyCombo::symbolicHotKeyCombos(desktop).empty());
}

} // namespace
} // namespace brindlemoor
