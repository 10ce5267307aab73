#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

namespace brindlemoor {

using LogArgument = std::variant<bool, std::int64_t, std::uint64_t, double, std::string>;

template <typename T>
LogArgument toLogArgument(const T& value)
{
    if constexpr (std::is_same_v<T, bool>)
        return value;
    else if constexpr (std::is_integral_v<T> && std::is_signed_v<T>)
        return static_cast<std::int64_t>(value);
    else if constexpr (std::is_integral_v<T>)
        return static_cast<std::uint64_t>(value);
    else if constexpr (std::is_floating_point_v<T>)
        return static_cast<double>(value);
    else
        return std::string(std::string_view(value));
}

// printf-style formatting as the log messages are written: %s, %d, %ld, %f (with flags and
// widths), %@ for an object's text, %{bool}d for "true"/"false", %% for a percent sign.
// A missing argument renders as nothing; arguments of another kind render in their own form.
std::string formatLogMessage(std::string_view format, const std::vector<LogArgument>& arguments);

template <typename... Args>
std::string formatLog(std::string_view format, const Args&... args)
{
    return formatLogMessage(format, {toLogArgument(args)...});
}

} // namespace brindlemoor
