#pragma once

#include "platform/cancellable.h"

#include <functional>

namespace brindlemoor {

// The system going to sleep and waking up again; callbacks run on the main queue.
class SystemSleepEvents {
public:
    virtual ~SystemSleepEvents() = default;

    [[nodiscard]] virtual Cancellable observe(std::function<void()> willSleep, std::function<void()> didWake) = 0;
};

} // namespace brindlemoor
