#include "engine/app_state.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace brindlemoor {
namespace {

TEST(AppState, StartsDictatingAndFloatingWithAnEmptyTranscript)
{
    AppState state;
    EXPECT_TRUE(state.isDictating());
    EXPECT_TRUE(state.isFloating.get());
    EXPECT_EQ(state.transcript.get(), "");
    EXPECT_EQ(state.recognitionLocale(), "en-US");
}

TEST(AppState, DictatingFlagIsSerialisedAcrossThreads)
{
    AppState state;
    std::vector<bool> announced;
    auto subscription = state.subscribeIsDictating([&](const bool& value) { announced.push_back(value); });
    std::vector<std::thread> togglers;
    for (int t = 0; t < 4; ++t)
        togglers.emplace_back([&] {
            for (int i = 0; i < 250; ++i)
                state.setIsDictating(!state.isDictating());
        });
    for (auto& thread : togglers)
        thread.join();
    EXPECT_EQ(announced.size(), 1001u);
    EXPECT_EQ(announced.front(), true);
}

TEST(AppState, RecognitionLocaleAsksItsProviderAtEveryRead)
{
    AppState state;
    std::string locale = "de-DE";
    state.setRecognitionLocaleProvider([&] { return locale; });
    EXPECT_EQ(state.recognitionLocale(), "de-DE");
    locale = "sr-Latn-RS";
    EXPECT_EQ(state.recognitionLocale(), "sr-Latn-RS");
}

} // namespace
} // namespace brindlemoor
