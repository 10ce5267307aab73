#include "platform/concurrent_queue.h"
#include "ai_service/client/array_with_thread_safety.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace brindlemoor {
namespace {

TEST(ConcurrentQueueTest, BarriersRunInSubmissionOrderAndSyncWaitsForThoseBeforeIt)
{
    ConcurrentQueue queue("test.queue");
    std::vector<int> order;
    for (int i = 0; i < 100; ++i)
        queue.asyncBarrier([&order, i] { order.push_back(i); });
    queue.syncBarrier([&] { order.push_back(100); });

    ASSERT_EQ(order.size(), 101u);
    for (int i = 0; i <= 100; ++i)
        EXPECT_EQ(order[i], i);
    EXPECT_EQ(queue.sync([&] { return order.size(); }), 101u);
}

TEST(ConcurrentQueueTest, PendingBarriersStillRunWhenTheQueueGoes)
{
    std::atomic<int> ran = 0;
    {
        ConcurrentQueue queue("test.queue");
        for (int i = 0; i < 50; ++i)
            queue.asyncBarrier([&] { ++ran; });
    }
    EXPECT_EQ(ran, 50);
}

TEST(ArrayWithThreadSafetyTest, AdditionsAndRemovalsFromManyThreadsAreSerialised)
{
    ArrayWithThreadSafety<int> array;
    EXPECT_EQ(array.label(), "us.tornel.OpenAI.threadSafeArray");
    std::vector<std::thread> threads;
    for (int t = 0; t < 8; ++t) {
        threads.emplace_back([&array, t] {
            for (int i = 0; i < 200; ++i) {
                array.append(t * 1000 + i);
                if (i % 2 == 1)
                    array.removeAll([value = t * 1000 + i](int element) { return element == value; });
            }
        });
    }
    for (auto& thread : threads)
        thread.join();

    EXPECT_EQ(array.count(), 8u * 100u);
}

} // namespace
} // namespace brindlemoor
