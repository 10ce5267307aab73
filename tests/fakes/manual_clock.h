#pragma once

#include "platform/clock.h"

#include <mutex>

namespace brindlemoor::fakes {

// Virtual time: it moves only when a test advances it.
class ManualClock final : public Clock {
public:
    MonotonicTime now() const override;
    WallTime wallNow() const override;
    void advance(Duration by);

private:
    mutable std::mutex mutex_;
    Duration elapsed_{0};
};

} // namespace brindlemoor::fakes
