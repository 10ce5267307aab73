#pragma once

#include "platform/concurrent_queue.h"

#include <algorithm>
#include <cstddef>
#include <vector>

namespace brindlemoor {

// A list that any thread may change: additions are handed to the queue and return at once,
// removals wait until done; both run alone, in the order they were asked for.
template <typename Element>
class ArrayWithThreadSafety {
public:
    ArrayWithThreadSafety() : queue_("us.tornel.OpenAI.threadSafeArray") {}

    void append(Element element)
    {
        queue_.asyncBarrier([this, element = std::move(element)]() mutable { array_.push_back(std::move(element)); });
    }

    template <typename Predicate>
    void removeAll(Predicate shouldBeRemoved)
    {
        queue_.syncBarrier([&] { std::erase_if(array_, shouldBeRemoved); });
    }

    std::size_t count()
    {
        return queue_.sync([&] { return array_.size(); });
    }

    const std::string& label() const { return queue_.label(); }

private:
    std::vector<Element> array_;
    ConcurrentQueue queue_;
};

} // namespace brindlemoor
