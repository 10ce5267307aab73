#include "platform/notification_center.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace brindlemoor {
namespace {

TEST(NotificationCenter, DeliversToObserversOfTheNameInOrderWithUserInfo)
{
    NotificationCenter center;
    std::vector<std::string> seen;
    auto first = center.observe("A", [&](const Notification& n) { seen.push_back("1:" + n.name); });
    auto second = center.observe("A", [&](const Notification& n) {
        seen.push_back(userInfoBool(n.userInfo, "isRecording") ? "2:recording" : "2:idle");
    });
    auto other = center.observe("B", [&](const Notification&) { seen.push_back("B"); });
    center.post("A", {{"isRecording", true}});
    EXPECT_EQ(seen, (std::vector<std::string>{"1:A", "2:recording"}));
}

TEST(NotificationCenter, RemovedObserversAreNotCalledEvenFromInsideAPost)
{
    NotificationCenter center;
    int laterCalls = 0;
    NotificationCenter::Token later = 0;
    center.addObserver("A", [&](const Notification&) { center.removeObserver(later); });
    later = center.addObserver("A", [&](const Notification&) { ++laterCalls; });
    center.post("A");
    EXPECT_EQ(laterCalls, 0);

    int scoped = 0;
    {
        auto observation = center.observe("A", [&](const Notification&) { ++scoped; });
        center.post("A");
    }
    center.post("A");
    EXPECT_EQ(scoped, 1);
}

TEST(NotificationCenter, ObserversMayPostAndAddWhileBeingCalled)
{
    NotificationCenter center;
    std::vector<std::string> seen;
    std::vector<Cancellable> added;
    auto a = center.observe("A", [&](const Notification&) {
        seen.push_back("A");
        added.push_back(center.observe("A", [&](const Notification&) { seen.push_back("new"); }));
        center.post("B");
    });
    auto b = center.observe("B", [&](const Notification&) { seen.push_back("B"); });
    center.post("A");
    EXPECT_EQ(seen, (std::vector<std::string>{"A", "B"}));
}

TEST(NotificationCenter, IsSafeUnderConcurrentPostsAndObservers)
{
    NotificationCenter center;
    std::atomic<int> calls{0};
    auto counter = center.observe("tick", [&](const Notification&) { ++calls; });
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&] {
            for (int i = 0; i < 500; ++i) {
                auto transient = center.observe("tick", [](const Notification&) {});
                center.post("tick");
            }
        });
    }
    for (auto& thread : threads)
        thread.join();
    EXPECT_EQ(calls.load(), 2000);
}

} // namespace
} // namespace brindlemoor
