#include "platform/log_format.h"

#include <gtest/gtest.h>

namespace brindlemoor {
namespace {

TEST(LogFormat, RendersTheConversionsTheMessagesUse)
{
    EXPECT_EQ(formatLog("Loop too fast: %f seconds, errors: %ld", 0.125, 3L), "Loop too fast: 0.125000 seconds, errors: 3");
    EXPECT_EQ(formatLog("listen: begin: lang = %s", std::string("de-DE")), "listen: begin: lang = de-DE");
    EXPECT_EQ(formatLog("output format:%@", "x"), "output format:x");
    EXPECT_EQ(formatLog("%10d|%-4s|%%", 42, "ab"), "        42|ab  |%");
}

TEST(LogFormat, RendersBooleansAsWords)
{
    EXPECT_EQ(formatLog("isDictating = %{bool}d", true), "isDictating = true");
    EXPECT_EQ(formatLog("a=%{bool}d b=%{bool}d", false, 0), "a=false b=false");
}

TEST(LogFormat, ToleratesMismatchedOrMissingArguments)
{
    EXPECT_EQ(formatLog("%d and %s", std::string("text"), 7), "text and 7");
    EXPECT_EQ(formatLog("%s and %s", "one"), "one and ");
    EXPECT_EQ(formatLog("trailing %"), "trailing ");
}

} // namespace
} // namespace brindlemoor
