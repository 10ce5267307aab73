#include "engine/input_method_language_manager.h"

#include "engine/notification_names.h"
#include "fakes/manual_main_queue.h"

#include <gtest/gtest.h>

namespace brindlemoor {
namespace {

using namespace std::chrono_literals;

class InputMethodLanguageManagerTest : public ::testing::Test {
protected:
    InputMethodLanguageManagerTest()
    {
        stops = center.observe(std::string(notification_names::stopLiveSpeechRecognizer),
                               [this](const Notification&) { ++stopCount; });
    }

    fakes::ManualMainQueue queue;
    NotificationCenter center;
    std::optional<std::string> keyboardLanguage;
    int stopCount = 0;
    Cancellable stops;
};

TEST_F(InputMethodLanguageManagerTest, FirstPollAfterASecondStoresTheLanguageAndPostsOnce)
{
    keyboardLanguage = "de";
    InputMethodLanguageManager manager(queue, [this] { return keyboardLanguage; }, center);
    std::vector<std::optional<std::string>> sent;
    auto subscription = manager.inputMethodLanguagePublisher().subscribe([&](const auto& l) { sent.push_back(l); });
    queue.advance(999ms);
    EXPECT_EQ(manager.currentLanguage(), std::nullopt);
    EXPECT_EQ(stopCount, 0);
    queue.advance(1ms);
    EXPECT_EQ(manager.currentLanguage(), "de");
    EXPECT_EQ(stopCount, 1);
    queue.advance(10s);
    EXPECT_EQ(stopCount, 1);
    EXPECT_EQ(sent, (std::vector<std::optional<std::string>>{"de"}));
}

TEST_F(InputMethodLanguageManagerTest, EveryChangeIncludingToNoLanguagePostsOnce)
{
    InputMethodLanguageManager manager(queue, [this] { return keyboardLanguage; }, center);
    queue.advance(3s);
    EXPECT_EQ(stopCount, 0);
    keyboardLanguage = "fr";
    queue.advance(1s);
    keyboardLanguage = std::nullopt;
    queue.advance(1s);
    EXPECT_EQ(manager.currentLanguage(), std::nullopt);
    EXPECT_EQ(stopCount, 2);
}

TEST_F(InputMethodLanguageManagerTest, PollingStopsWithTheManager)
{
    keyboardLanguage = "sv";
    int reads = 0;
    {
        InputMethodLanguageManager manager(queue, [&] { ++reads; return keyboardLanguage; }, center);
        queue.advance(2s);
    }
    EXPECT_EQ(reads, 2);
    queue.advance(5s);
    EXPECT_EQ(reads, 2);
    EXPECT_EQ(queue.pendingCount(), 0u);
}

} // namespace
} // namespace brindlemoor
