#include "fakes/manual_main_queue.h"

#include <gtest/gtest.h>

#include <string>

namespace brindlemoor {
namespace {

using namespace std::chrono_literals;

TEST(ManualMainQueue, RunsPostedTasksInOrderOnlyWhenAsked)
{
    fakes::ManualMainQueue queue;
    std::string order;
    MainQueue::main().post([&] { order += "a"; });
    queue.post([&] {
        order += "b";
        queue.post([&] { order += "d"; });
    });
    queue.post([&] { order += "c"; });
    EXPECT_EQ(order, "");
    EXPECT_EQ(queue.runUntilIdle(), 4u);
    EXPECT_EQ(order, "abcd");
}

TEST(ManualMainQueue, DelayedTasksRunWhenVirtualTimeReachesThem)
{
    fakes::ManualMainQueue queue;
    std::string order;
    auto start = queue.clock().now();
    Clock::MonotonicTime ranAt;
    queue.postAfter(1s, [&] {
        order += "late";
        ranAt = queue.clock().now();
    });
    queue.postAfter(200ms, [&] { order += "early,"; });
    queue.advance(999ms);
    EXPECT_EQ(order, "early,");
    queue.advance(1ms);
    EXPECT_EQ(order, "early,late");
    EXPECT_EQ(ranAt - start, 1s);
    EXPECT_EQ(queue.pendingCount(), 0u);
}

TEST(ManualMainQueue, TaskPostedWithDelayFromATaskCountsFromItsOwnTime)
{
    fakes::ManualMainQueue queue;
    int runs = 0;
    queue.postAfter(100ms, [&] {
        ++runs;
        queue.postAfter(100ms, [&] { ++runs; });
    });
    queue.advance(150ms);
    EXPECT_EQ(runs, 1);
    queue.advance(50ms);
    EXPECT_EQ(runs, 2);
}

} // namespace
} // namespace brindlemoor
