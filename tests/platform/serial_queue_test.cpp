#include "platform/serial_queue.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace brindlemoor {
namespace {

TEST(SerialQueue, RunsBlocksOneAtATimeInSubmissionOrder)
{
    SerialQueue queue("test.order");
    std::vector<int> order;
    for (int i = 0; i < 100; ++i)
        queue.async([&order, i] { order.push_back(i); });
    // sync waits for every block submitted before it.
    std::size_t seen = queue.sync([&] { return order.size(); });
    EXPECT_EQ(seen, 100u);
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(order[static_cast<size_t>(i)], i);
    EXPECT_EQ(queue.label(), "test.order");
}

TEST(SerialQueue, SyncFromManyThreadsNeverOverlaps)
{
    SerialQueue queue("test.counter");
    int counter = 0;
    std::vector<std::thread> threads;
    for (int t = 0; t < 8; ++t)
        threads.emplace_back([&] {
            for (int i = 0; i < 1000; ++i)
                queue.sync([&] { counter = counter + 1; });
        });
    for (auto& thread : threads)
        thread.join();
    EXPECT_EQ(queue.sync([&] { return counter; }), 8000);
}

TEST(SerialQueue, RunsItsBlocksOffTheCallersThreadAndDrainsOnDestruction)
{
    std::thread::id ranOn;
    int ran = 0;
    {
        SerialQueue queue("test.drain");
        queue.sync([&] { ranOn = std::this_thread::get_id(); });
        for (int i = 0; i < 10; ++i)
            queue.async([&] { ++ran; });
    }
    EXPECT_NE(ranOn, std::this_thread::get_id());
    EXPECT_EQ(ran, 10);
}

} // namespace
} // namespace brindlemoor
