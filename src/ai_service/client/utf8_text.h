#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace brindlemoor {

// How many leading bytes of `bytes` are whole UTF-8 characters, when the rest is at most the
// unfinished start of one more character (which the next arrival may complete); none when the
// bytes are not UTF-8.
std::optional<std::size_t> completeUtf8PrefixLength(std::string_view bytes);

// The text without white space and line ends (all of Unicode's) at either end.
std::string_view trimmingWhitespaceAndNewlines(std::string_view text);

} // namespace brindlemoor
