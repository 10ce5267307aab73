#pragma once

#include "platform/main_queue.h"

#include <QObject>

namespace brindlemoor {

// The main queue on the Qt event loop of the thread that creates it.
class QtMainQueue final : public MainQueue {
public:
    QtMainQueue();

    void post(Task task) override;
    void postAfter(std::chrono::nanoseconds delay, Task task) override;
    Clock& clock() override;

private:
    QObject context_;
};

} // namespace brindlemoor
