#include "ai_service/client/utf8_text.h"

#include <gtest/gtest.h>

namespace brindlemoor {
namespace {

TEST(Utf8TextTest, AnUnfinishedLastCharacterIsLeftForLaterWhileBrokenBytesAreRefused)
{
    const std::string word = "añ中😀";
    EXPECT_EQ(completeUtf8PrefixLength(word), word.size());
    EXPECT_EQ(completeUtf8PrefixLength(word.substr(0, word.size() - 1)), word.size() - 4);
    EXPECT_EQ(completeUtf8PrefixLength(word.substr(0, 2)), 1u);
    EXPECT_FALSE(completeUtf8PrefixLength("a\xC0\x80"));   // overlong
    EXPECT_FALSE(completeUtf8PrefixLength("\xED\xA0\x80")); // surrogate
    EXPECT_FALSE(completeUtf8PrefixLength("\x80"));
    EXPECT_FALSE(completeUtf8PrefixLength("\xE4\x41"));
}

TEST(Utf8TextTest, TrimmingRemovesUnicodeSpacesAndLineEndsButNothingInside)
{
    EXPECT_EQ(trimmingWhitespaceAndNewlines("\u3000\u00A0 \r\n{\"a\": 1}\u2028\t"), "{\"a\": 1}");
    EXPECT_EQ(trimmingWhitespaceAndNewlines(" a b "), "a b");
    EXPECT_EQ(trimmingWhitespaceAndNewlines("\n\u2029 "), "");
    EXPECT_EQ(trimmingWhitespaceAndNewlines("中"), "中");
}

} // namespace
} // namespace brindlemoor
