#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brindlemoor {

// Standard alphabet with padding, the form byte buffers take in JSON.
std::string base64Encoded(const std::vector<std::uint8_t>& bytes);
// None when the text is not padded standard base64.
std::optional<std::vector<std::uint8_t>> base64Decoded(std::string_view text);

} // namespace brindlemoor
