#include "platform/qt/qt_main_queue.h"

#include "platform/clock.h"

#include <QTimer>

namespace brindlemoor {

QtMainQueue::QtMainQueue() = default;

void QtMainQueue::post(Task task)
{
    QMetaObject::invokeMethod(&context_, std::move(task), Qt::QueuedConnection);
}

void QtMainQueue::postAfter(std::chrono::nanoseconds delay, Task task)
{
    auto milliseconds = std::chrono::ceil<std::chrono::milliseconds>(delay);
    // Timers belong to the thread that starts them, so the timer is started on the main thread.
    post([this, milliseconds, task = std::move(task)]() mutable {
        QTimer::singleShot(milliseconds, Qt::PreciseTimer, &context_, std::move(task));
    });
}

Clock& QtMainQueue::clock()
{
    return Clock::system();
}

} // namespace brindlemoor
