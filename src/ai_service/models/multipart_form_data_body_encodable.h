#pragma once

#include <concepts>
#include <cstdint>
#include <string>
#include <vector>

namespace brindlemoor {

// A query sent as a multipart form: given the boundary, it answers the whole body.
template <typename T>
concept MultipartFormDataBodyEncodable = requires(const T& query, const std::string& boundary) {
    { query.encode(boundary) } -> std::same_as<std::vector<std::uint8_t>>;
};

} // namespace brindlemoor
