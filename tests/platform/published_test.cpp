#include "platform/published.h"

#include <gtest/gtest.h>

#include <vector>

namespace brindlemoor {
namespace {

TEST(Published, SubscriberGetsTheCurrentValueThenEveryAssignment)
{
    Published<int> value(1);
    std::vector<int> seen;
    auto subscription = value.subscribe([&](const int& v) { seen.push_back(v); });
    value.set(2);
    value.set(2);
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 2}));
    EXPECT_EQ(value.get(), 2);
}

TEST(Published, AnnouncesBeforeStoring)
{
    Published<int> value(1);
    int readInside = 0;
    auto subscription = value.subscribe([&](const int&) { readInside = value.get(); });
    value.set(5);
    EXPECT_EQ(readInside, 1);
}

TEST(Published, SubscriptionEndsWithItsHandleAndMayOutliveTheValue)
{
    std::vector<int> seen;
    Cancellable survivor;
    {
        Published<int> value(0);
        {
            auto subscription = value.subscribe([&](const int& v) { seen.push_back(v); });
            value.set(1);
        }
        value.set(2);
        survivor = value.subscribe([](const int&) {});
    }
    survivor.cancel();
    EXPECT_EQ(seen, (std::vector<int>{0, 1}));
}

} // namespace
} // namespace brindlemoor
