#include "platform/main_queue.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>

namespace brindlemoor {
namespace {
std::atomic<MainQueue*> installedQueue{nullptr};
}

MainQueue& MainQueue::main()
{
    MainQueue* queue = installedQueue.load(std::memory_order_acquire);
    if (queue == nullptr) {
        std::fputs("Brindlemoor: the main queue is used before it was installed\n", stderr);
        std::abort();
    }
    return *queue;
}

void MainQueue::install(MainQueue* queue)
{
    installedQueue.store(queue, std::memory_order_release);
}

} // namespace brindlemoor
