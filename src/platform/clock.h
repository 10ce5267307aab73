#pragma once

#include <chrono>

namespace brindlemoor {

// Time as the timed rules read it. Injected everywhere a rule measures time, so tests can
// move it by hand instead of sleeping.
class Clock {
public:
    using Duration = std::chrono::nanoseconds;
    using MonotonicTime = std::chrono::steady_clock::time_point;
    using WallTime = std::chrono::system_clock::time_point;

    virtual ~Clock() = default;

    virtual MonotonicTime now() const = 0;
    virtual WallTime wallNow() const = 0;

    // The machine's clocks.
    static Clock& system();
};

// Seconds between two monotonic times, as the timed rules compare them.
inline double secondsBetween(Clock::MonotonicTime from, Clock::MonotonicTime to)
{
    return std::chrono::duration<double>(to - from).count();
}

} // namespace brindlemoor
