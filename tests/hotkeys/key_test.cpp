#include "hotkeys/key.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace brindlemoor {
namespace {

TEST(Key, EveryCaseHasItsOwnCodeAndTheCodeLeadsBack)
{
    std::set<std::uint32_t> codes;
    for (std::size_t index = 0; index < Key::caseCount; ++index) {
        const Key key = Key::allCases()[index];
        EXPECT_EQ(key.value(), index);
        EXPECT_TRUE(codes.insert(key.carbonKeyCode()).second) << key.name();
        EXPECT_EQ(Key::fromCarbonKeyCode(key.carbonKeyCode()), key) << key.name();
    }
    const std::set<std::uint32_t> withoutKey{0x0A, 0x34, 0x42, 0x44, 0x46, 0x4D, 0x5D,
                                             0x5E, 0x5F, 0x66, 0x68, 0x6C, 0x6E, 0x70};
    for (std::uint32_t code = 0; code <= 0x7E; ++code)
        EXPECT_EQ(Key::fromCarbonKeyCode(code).has_value(), withoutKey.count(code) == 0) << code;
    EXPECT_EQ(Key::fromCarbonKeyCode(0x7F), std::nullopt);
    EXPECT_EQ(Key::fromCarbonKeyCode(0xFFFFFFFF), std::nullopt);
}

TEST(Key, CodesAreTheVirtualKeyCodesOfTheirPositions)
{
    // One key of each kind: letter, digit, symbol, editing, modifier, function, keypad, media.
    EXPECT_EQ(Key(Key::s).carbonKeyCode(), 0x01u);
    EXPECT_EQ(Key(Key::one).carbonKeyCode(), 0x12u);
    EXPECT_EQ(Key(Key::rightBracket).carbonKeyCode(), 0x1Eu);
    EXPECT_EQ(Key(Key::return_).carbonKeyCode(), 0x24u);
    EXPECT_EQ(Key(Key::rightCommand).carbonKeyCode(), 0x36u);
    EXPECT_EQ(Key(Key::f17).carbonKeyCode(), 0x40u);
    EXPECT_EQ(Key(Key::keypadEnter).carbonKeyCode(), 0x4Cu);
    EXPECT_EQ(Key(Key::mute).carbonKeyCode(), 0x4Au);
}

TEST(Key, NamesAreMatchedWithoutRegardToCaseButNeverTrimmedOrGuessed)
{
    EXPECT_EQ(Key::fromName("A"), Key(Key::a));
    EXPECT_EQ(Key::fromName("a"), Key(Key::a));
    EXPECT_EQ(Key::fromName(" A"), std::nullopt);
    EXPECT_EQ(Key::fromName("\u2318"), Key(Key::command));
    EXPECT_EQ(Key::fromName("COMMAND"), Key(Key::command));
    EXPECT_EQ(Key::fromName("cmd"), std::nullopt);
    EXPECT_EQ(Key::fromName("PageUp"), Key(Key::pageUp));
    EXPECT_EQ(Key::fromName("return"), Key(Key::return_));
    EXPECT_EQ(Key::fromName("\r"), Key(Key::return_));
    EXPECT_EQ(Key::fromName("\u23CE"), Key(Key::return_));
    EXPECT_EQ(Key::fromName("delete"), Key(Key::delete_));
    EXPECT_EQ(Key::fromName("fn"), Key(Key::function));
    EXPECT_EQ(Key::fromName(" "), Key(Key::space));
    EXPECT_EQ(Key::fromName("\""), Key(Key::quote));
    EXPECT_EQ(Key::fromName("\uFF40"), Key(Key::grave));
    EXPECT_EQ(Key::fromName("?\u20DD"), Key(Key::help));
    EXPECT_EQ(Key::fromName("\U0001F507"), Key(Key::mute));
    EXPECT_EQ(Key::fromName(""), std::nullopt);
    // Full Unicode lower-casing: the Kelvin sign becomes a plain k.
    EXPECT_EQ(Key::fromName("\u212A"), Key(Key::k));
}

TEST(Key, DigitsAndSymbolsNameTheMainKeysAndKeypadKeysAnswerOnlyToTheirNames)
{
    EXPECT_EQ(Key::fromName("1"), Key(Key::one));
    EXPECT_EQ(Key::fromName("keypad1"), Key(Key::keypad1));
    EXPECT_EQ(Key::fromName("KeypadEnter"), Key(Key::keypadEnter));
    EXPECT_EQ(Key::fromName("."), Key(Key::period));
    EXPECT_EQ(Key::fromName("\u2327"), Key(Key::keypadClear));
    EXPECT_EQ(Key::fromName("+"), std::nullopt);
    EXPECT_EQ(Key::fromName("\U0001D5D1"), std::nullopt);
    EXPECT_EQ(Key::fromName("rightShift"), Key(Key::rightShift));
    EXPECT_EQ(Key::fromName("one"), Key(Key::one));
    EXPECT_EQ(Key::fromName("letter a"), std::nullopt);
}

TEST(Key, EveryCaseAnswersToItsOwnNameAndFunctionKeysToTheirDescription)
{
    for (const Key key : Key::allCases()) {
        std::string lower(key.name());
        for (char& character : lower)
            character = static_cast<char>(std::tolower(static_cast<unsigned char>(character)));
        EXPECT_EQ(Key::fromName(lower), key) << key.name();
        EXPECT_EQ(Key::fromName(key.name()), key) << key.name();
    }
    const std::string f5 = Key(Key::f5).description();
    EXPECT_EQ(Key::fromName(f5), Key(Key::f5));
    EXPECT_EQ(Key::fromName("\uF860f5"), Key(Key::f5));
    EXPECT_EQ(Key::fromName(Key(Key::f15).description()), Key(Key::f15));
}

TEST(Key, DescriptionsShowTheCharacterOrGlyphOfTheKey)
{
    EXPECT_EQ(Key(Key::q).description(), "Q");
    EXPECT_EQ(Key(Key::seven).description(), "7");
    EXPECT_EQ(Key(Key::keypad7).description(), "7");
    EXPECT_EQ(Key(Key::backslash).description(), "\\");
    EXPECT_EQ(Key(Key::space).description(), "\u2423");
    EXPECT_EQ(Key(Key::return_).description(), "\u21A9\uFE0E");
    EXPECT_EQ(Key(Key::keypadEnter).description(), Key(Key::return_).description());
    EXPECT_EQ(Key(Key::rightCommand).description(), "\u2318");
    EXPECT_EQ(Key(Key::function).description(), "fn");
    EXPECT_EQ(Key(Key::f9).description(), "\uF860F9");
    EXPECT_EQ(Key(Key::f10).description(), "\uF861F10");
    EXPECT_EQ(Key(Key::keypadMultiply).description(), "\U0001D5D1");
    EXPECT_EQ(Key(Key::help).description(), "?\u20DD");
    EXPECT_EQ(Key(Key::volumeDown).description(), "\U0001F509");
}

} // namespace
} // namespace brindlemoor
