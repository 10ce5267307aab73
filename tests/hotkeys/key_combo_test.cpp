#include "hotkeys/carbon_modifiers.h"
#include "hotkeys/key_combo.h"
#include "hotkeys/menu_model.h"
#include "hotkeys/symbolic_hot_keys.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

namespace brindlemoor {
namespace {

using namespace carbon;

TEST(ModifierFlags, ConvertBothWaysKeepingOnlyTheFourModifiers)
{
    EXPECT_EQ((ModifierFlags::capsLock | ModifierFlags::command).carbonFlags(), cmdKey);
    EXPECT_EQ((ModifierFlags::command | ModifierFlags::shift).carbonFlags(), 0x300u);
    const ModifierFlags all = ModifierFlags::control | ModifierFlags::option | ModifierFlags::shift |
                              ModifierFlags::command | ModifierFlags::function | ModifierFlags::numericPad |
                              ModifierFlags::help;
    EXPECT_EQ(all.carbonFlags(), 0x1B00u);
    EXPECT_EQ(ModifierFlags::fromCarbonFlags(0x1B00 | 0x80 | 0x400), ModifierFlags(0x1E0000));
    EXPECT_EQ(ModifierFlags::fromCarbonFlags(optionKey), ModifierFlags::option);
    EXPECT_EQ(ModifierFlags::fromCarbonFlags(controlKey), ModifierFlags::control);
    EXPECT_EQ(ModifierFlags(0x120000), ModifierFlags::command | ModifierFlags::shift);
}

TEST(ModifierFlags, DescriptionWritesGlyphsInControlOptionShiftCommandOrder)
{
    EXPECT_EQ(ModifierFlags::fromCarbonFlags(0x1B00).description(), "\u2303\u2325\u21E7\u2318");
    EXPECT_EQ((ModifierFlags::command | ModifierFlags::control).description(), "\u2303\u2318");
    EXPECT_EQ(ModifierFlags::capsLock.description(), "");
}

TEST(KeyCombo, BuiltFromKeyAndFlagsGivesTheShellsThreeCombinations)
{
    EXPECT_EQ(KeyCombo(Key::one, ModifierFlags::command), KeyCombo(0x12, 0x100));
    EXPECT_EQ(KeyCombo(Key::two, ModifierFlags::command), KeyCombo(0x13, 0x100));
    EXPECT_EQ(KeyCombo(Key::return_, ModifierFlags(0x120000)), KeyCombo(0x24, 0x300));
    EXPECT_NE(KeyCombo(0x12, 0x100), KeyCombo(0x12, 0x300));
}

TEST(KeyCombo, KeyAndModifiersReadAndWriteThroughTheNumbers)
{
    KeyCombo combo(0x24, 0x300 | 0x80);
    EXPECT_EQ(combo.key(), Key(Key::return_));
    EXPECT_EQ(combo.modifiers(), ModifierFlags::command | ModifierFlags::shift);
    combo.setKey(std::nullopt);
    EXPECT_EQ(combo.carbonKeyCode, 0u);
    EXPECT_EQ(combo.key(), Key(Key::a));
    combo.setKey(Key::f5);
    EXPECT_EQ(combo.carbonKeyCode, 0x60u);
    combo.setModifiers(ModifierFlags::option | ModifierFlags::capsLock);
    EXPECT_EQ(combo.carbonModifiers, optionKey);
    EXPECT_EQ(KeyCombo(0x0A, 0).key(), std::nullopt);
}

TEST(KeyCombo, DescriptionIsModifierGlyphsThenTheKey)
{
    EXPECT_EQ(KeyCombo(0x24, 0x300).description(), "\u21E7\u2318\u21A9\uFE0E");
    EXPECT_EQ(KeyCombo(0x4C, 0).description(), "\u21A9\uFE0E");
    EXPECT_EQ(KeyCombo(0x12, cmdKey | controlKey).description(), "\u2303\u23181");
    EXPECT_EQ(KeyCombo(0x0A, cmdKey).description(), "\u2318");
    EXPECT_EQ(KeyCombo(0x200, 0).description(), "");
}

TEST(KeyCombo, DictionaryFormRoundTripsAndRejectsWhatIsNotAValidNumber)
{
    const KeyCombo combo(0x24, 0x300);
    const KeyCombo::Dictionary dictionary = combo.asDictionary();
    EXPECT_EQ(dictionary.size(), 2u);
    EXPECT_EQ(std::get<std::int64_t>(dictionary.at("keyCode")), 0x24);
    EXPECT_EQ(std::get<std::int64_t>(dictionary.at("modifiers")), 0x300);
    EXPECT_EQ(KeyCombo::fromDictionary(dictionary), combo);
    EXPECT_EQ(KeyCombo::fromDictionary({{"keyCode", std::int64_t{0xFFFFFFFF}}, {"modifiers", std::int64_t{0}}}),
              KeyCombo(0xFFFFFFFF, 0));

    EXPECT_EQ(KeyCombo::fromDictionary({{"keyCode", std::int64_t{1}}}), std::nullopt);
    EXPECT_EQ(KeyCombo::fromDictionary({{"keyCode", std::int64_t{1}}, {"modifiers", std::string("256")}}),
              std::nullopt);
    EXPECT_EQ(KeyCombo::fromDictionary({{"keyCode", 1.0}, {"modifiers", std::int64_t{256}}}), std::nullopt);
    EXPECT_EQ(KeyCombo::fromDictionary({{"keyCode", true}, {"modifiers", std::int64_t{256}}}), std::nullopt);
    // Out of the 32-bit range: refused rather than wrapped into another key.
    EXPECT_EQ(KeyCombo::fromDictionary({{"keyCode", std::int64_t{0x100000012}}, {"modifiers", std::int64_t{256}}}),
              std::nullopt);
    EXPECT_EQ(KeyCombo::fromDictionary({{"keyCode", std::int64_t{-1}}, {"modifiers", std::int64_t{256}}}),
              std::nullopt);
}

TEST(KeyComboLists, CommonCombinationsAreFortySixDistinctEntriesInOrder)
{
    const std::vector<KeyCombo> common = KeyCombo::commonKeyCombos();
    ASSERT_EQ(common.size(), 46u);
    EXPECT_EQ(common.front(), KeyCombo(Key::comma, ModifierFlags::command));
    EXPECT_EQ(common[2], KeyCombo(0x04, 0x900));
    EXPECT_EQ(common[17], KeyCombo(0x09, 0xB00));
    EXPECT_EQ(common[25], KeyCombo(0x29, 0x300));
    EXPECT_EQ(common[39], KeyCombo(0x08, 0x1100));
    EXPECT_EQ(common.back(), KeyCombo(0x2C, 0x300));
    std::vector<std::size_t> withC;
    for (std::size_t index = 0; index < common.size(); ++index) {
        if (common[index].carbonKeyCode == Key(Key::c).carbonKeyCode())
            withC.push_back(index + 1);
        EXPECT_EQ(std::count(common.begin(), common.end(), common[index]), 1) << index + 1;
        const std::uint32_t mask = common[index].carbonModifiers;
        EXPECT_TRUE(mask == 0x100 || mask == 0x300 || mask == 0x900 || mask == 0xB00 || mask == 0x1100) << index + 1;
    }
    EXPECT_EQ(withC, (std::vector<std::size_t>{16, 34, 35, 40}));
}

TEST(KeyComboLists, MenuCombinationsWalkSubmenusDepthFirstAndSkipWhatIsNoKey)
{
    auto edit = std::make_shared<MenuModel>(std::vector<MenuItemModel>{
        {"z", ModifierFlags::command, nullptr},
        {"+", ModifierFlags::command, nullptr},
        {"Z", ModifierFlags::command | ModifierFlags::shift | ModifierFlags::function, nullptr},
    });
    auto nested = std::make_shared<MenuModel>(std::vector<MenuItemModel>{{"\u2318", ModifierFlags::option, nullptr}});
    auto view = std::make_shared<MenuModel>(std::vector<MenuItemModel>{{"", {}, nested}});
    const MenuModel mainMenu(std::vector<MenuItemModel>{
        {"q", ModifierFlags::command, nullptr},
        {"e", ModifierFlags::control, edit},
        {"", {}, view},
        {"Q", ModifierFlags::command, nullptr},
    });
    EXPECT_EQ(KeyCombo::menuKeyCombos(&mainMenu), (std::vector<KeyCombo>{
                                                      {0x0C, cmdKey},
                                                      {0x0E, controlKey},
                                                      {0x06, cmdKey},
                                                      {0x06, cmdKey | shiftKey},
                                                      {0x37, optionKey},
                                                      {0x0C, cmdKey},
                                                  }));
    EXPECT_TRUE(KeyCombo::menuKeyCombos(nullptr).empty());
}

class ScriptedSymbolicHotKeys final : public SymbolicHotKeys {
public:
    explicit ScriptedSymbolicHotKeys(Listing listing) : listing_(std::move(listing)) {}
    Listing copySymbolicHotKeys() override { return listing_; }

private:
    Listing listing_;
};

TEST(KeyComboLists, SymbolicCombinationsKeepOnlyEnabledCompleteEntriesInOrder)
{
    ScriptedSymbolicHotKeys desktop({{
        {true, 0x7B, controlKey},
        {false, 0x7C, controlKey},
        {std::nullopt, 0x7D, controlKey},
        {true, std::nullopt, controlKey},
        {true, 0x31, std::nullopt},
        {true, 0x31, cmdKey | 0x80},
    }, std::nullopt});
    EXPECT_EQ(KeyCombo::symbolicHotKeyCombos(desktop),
              (std::vector<KeyCombo>{{0x7B, controlKey}, {0x31, cmdKey | 0x80}}));

    ScriptedSymbolicHotKeys unreadable({{{true, 0x7B, controlKey}}, PlatformError{"HotKeys", 1, "unreadable"}});
    EXPECT_TRUE(KeyCombo::symbolicHotKeyCombos(unreadable).empty());
}

} // namespace
} // namespace brindlemoor
