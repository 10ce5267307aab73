#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace brindlemoor {

// The user-perceived characters (extended grapheme clusters) of UTF-8 text.
std::vector<std::string> graphemeClusters(const std::string& text);
std::size_t graphemeCount(const std::string& text);

} // namespace brindlemoor
