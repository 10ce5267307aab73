#include "platform/clock.h"

namespace brindlemoor {
namespace {

class SystemClock final : public Clock {
public:
    MonotonicTime now() const override { return std::chrono::steady_clock::now(); }
    WallTime wallNow() const override { return std::chrono::system_clock::now(); }
};

} // namespace

Clock& Clock::system()
{
    static SystemClock clock;
    return clock;
}

} // namespace brindlemoor
