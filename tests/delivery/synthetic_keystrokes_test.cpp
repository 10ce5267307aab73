#include "delivery/key_tables.h"
#include "delivery/synthetic_keystrokes.h"
#include "fakes/recording_keyboard_events.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace brindlemoor {
namespace {

using ::testing::ElementsAre;

KeyboardEvent key(std::uint16_t code, bool down, std::optional<std::uint64_t> flags)
{
    return KeyboardEvent{code, down, flags};
}

constexpr std::uint64_t kPlain = event_flags::nonCoalesced;

TEST(KeyTables, HoldTheKeysOfTheAnsiLayout)
{
    EXPECT_EQ(characterKeyCodes().size(), 43u);
    EXPECT_EQ(namedKeyCodes().size(), 34u);
    EXPECT_EQ(characterKeyCodes().at("v"), 0x09);
    EXPECT_EQ(characterKeyCodes().at("0"), 0x1D);
    EXPECT_EQ(characterKeyCodes().count("A"), 0u);
    EXPECT_EQ(namedKeyCodes().at("menu"), namedKeyCodes().at("option"));
    EXPECT_EQ(whitespaceKeyNames().at("\t"), "tab");
}

TEST(SendPasteKeystroke, PostsVDownWithCommandAndVUpAsCreated)
{
    fakes::RecordingKeyboardEvents events;
    sendPasteKeystroke();
    EXPECT_THAT(events.posted(), ElementsAre(key(0x09, true, event_flags::command), key(0x09, false, std::nullopt)));
}

TEST(SendPasteKeystroke, PostsNothingWhenTheKeyDownCannotBeMade)
{
    fakes::RecordingKeyboardEvents events;
    events.canCreate = [](std::uint16_t, bool down) { return !down; };
    sendPasteKeystroke();
    EXPECT_TRUE(events.posted().empty());
}

TEST(TypeString, TypesKnownCharactersAndSkipsTheRest)
{
    fakes::RecordingKeyboardEvents events;
    typeString("\n");
    typeString("Hello");
    EXPECT_THAT(events.posted(),
                ElementsAre(key(0x24, true, kPlain), key(0x24, false, kPlain), key(0x0E, true, kPlain),
                            key(0x0E, false, kPlain), key(0x25, true, kPlain), key(0x25, false, kPlain),
                            key(0x25, true, kPlain), key(0x25, false, kPlain), key(0x1F, true, kPlain),
                            key(0x1F, false, kPlain)));
}

TEST(TypeString, ShiftsTheAtSignAndUsesKeypadOperators)
{
    fakes::RecordingKeyboardEvents events;
    typeString("a@b-");
    EXPECT_THAT(events.posted(),
                ElementsAre(key(0x00, true, kPlain), key(0x00, false, kPlain), key(0x13, true, event_flags::shift),
                            key(0x13, false, std::nullopt), key(0x0B, true, kPlain), key(0x0B, false, kPlain),
                            key(0x4E, true, kPlain), key(0x4E, false, kPlain)));
}

TEST(TypeString, TreatsCombinedCharactersAsOneAndTypesNothingForEmptyText)
{
    fakes::RecordingKeyboardEvents events;
    typeString("");
    // "e" with a combining accent is one character without a key.
    typeString("e\xCC\x81 ");
    EXPECT_THAT(events.posted(), ElementsAre(key(0x31, true, kPlain), key(0x31, false, kPlain)));
}

} // namespace
} // namespace brindlemoor
