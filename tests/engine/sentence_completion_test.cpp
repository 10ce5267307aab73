#include "engine/sentence_completion.h"

#include <gtest/gtest.h>

namespace brindlemoor {
namespace {

TEST(SentenceCompletion, QuestionsGetAQuestionMarkWhateverTheirCase)
{
    EXPECT_EQ(punctuateLastSentence("how are you"), "how are you?");
    EXPECT_EQ(punctuateLastSentence("How are you"), "How are you?");
    EXPECT_EQ(punctuateLastSentence("Shall we go"), "Shall we go?");
}

TEST(SentenceCompletion, AQuestionWordMustBeFollowedByASpace)
{
    EXPECT_EQ(punctuateLastSentence("Island hopping"), "Island hopping.");
    EXPECT_EQ(punctuateLastSentence("why"), "why.");
    EXPECT_EQ(punctuateLastSentence("Whoever wins"), "Whoever wins.");
}

TEST(SentenceCompletion, OnlyTheLastSentenceIsTestedButTheWholeTextIsKept)
{
    EXPECT_EQ(punctuateLastSentence("It works. what now"), "It works. what now?");
    EXPECT_EQ(punctuateLastSentence("What is it. It is late"), "What is it. It is late.");
}

TEST(SentenceCompletion, ClosedOrEmptyTextsAreReturnedUnchanged)
{
    EXPECT_EQ(punctuateLastSentence("Done!"), "Done!");
    EXPECT_EQ(punctuateLastSentence("Really?"), "Really?");
    EXPECT_EQ(punctuateLastSentence("ok. "), "ok. ");
    EXPECT_EQ(punctuateLastSentence(""), "");
    EXPECT_EQ(punctuateLastSentence(" \n\t"), " \n\t");
    EXPECT_EQ(punctuateLastSentence("Well,"), "Well,.");
}

TEST(SentenceCompletion, LastSentenceIsTrimmedAndUnicodeAware)
{
    EXPECT_EQ(lastSentence(""), "");
    EXPECT_EQ(lastSentence("   "), "");
    EXPECT_EQ(lastSentence("First one. Second one.  \n"), "Second one.");
    EXPECT_EQ(lastSentence("Grüße aus Köln! Schön hier"), "Schön hier");
    EXPECT_EQ(lastSentence("这是第一句。这是第二句"), "这是第二句");
    EXPECT_EQ(punctuateLastSentence("ÉTAIS-TU LÀ"), "ÉTAIS-TU LÀ.");
}

TEST(SentenceCompletion, PunctuationIsAnyUnicodePunctuation)
{
    EXPECT_TRUE(endsWithPunctuation("Hello."));
    EXPECT_TRUE(endsWithPunctuation("你好。"));
    EXPECT_TRUE(endsWithPunctuation("Wait,"));
    EXPECT_FALSE(endsWithPunctuation("Hello"));
    EXPECT_FALSE(endsWithPunctuation(""));
}

} // namespace
} // namespace brindlemoor
