#pragma once

#include <charconv>
#include <chrono>
#include <string>

namespace brindlemoor {

// A measured duration as the timing log lines show it: "0.0123 seconds".
inline std::string durationText(std::chrono::nanoseconds duration)
{
    const double seconds = std::chrono::duration<double>(duration).count();
    char digits[32];
    const auto end = std::to_chars(digits, digits + sizeof digits, seconds).ptr;
    return std::string(digits, end) + " seconds";
}

} // namespace brindlemoor
