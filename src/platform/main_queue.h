#pragma once

#include <chrono>
#include <functional>

namespace brindlemoor {

class Clock;

// The main thread's queue: interface work, notification handlers and the recogniser's
// passes run here, one task at a time, in the order posted.
class MainQueue {
public:
    using Task = std::function<void()>;

    virtual ~MainQueue() = default;

    // Safe from any thread.
    virtual void post(Task task) = 0;
    virtual void postAfter(std::chrono::nanoseconds delay, Task task) = 0;

    // The clock the queue's delays are measured on.
    virtual Clock& clock() = 0;

    // The process's main queue. The application installs its event loop's queue at start;
    // tests install a manual one.
    static MainQueue& main();
    static void install(MainQueue* queue);
};

} // namespace brindlemoor
