#include "fakes/manual_clock.h"

namespace brindlemoor::fakes {
namespace {
// Far from zero, so "the distant past" is clearly before any virtual moment.
const Clock::MonotonicTime monotonicEpoch = Clock::MonotonicTime(std::chrono::hours(24 * 365));
const Clock::WallTime wallEpoch = Clock::WallTime(std::chrono::seconds(1'800'000'000));
} // namespace

Clock::MonotonicTime ManualClock::now() const
{
    std::lock_guard lock(mutex_);
    return monotonicEpoch + elapsed_;
}

Clock::WallTime ManualClock::wallNow() const
{
    std::lock_guard lock(mutex_);
    return wallEpoch + std::chrono::duration_cast<std::chrono::system_clock::duration>(elapsed_);
}

void ManualClock::advance(Duration by)
{
    std::lock_guard lock(mutex_);
    elapsed_ += by;
}

} // namespace brindlemoor::fakes
