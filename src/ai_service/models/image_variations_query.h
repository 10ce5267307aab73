#pragma once

#include "ai_service/models/json_coding.h"

#include <cstdint>
#include <optional>
#include <string>

namespace brindlemoor {

// A picture to make variations of; sent as a multipart form.
struct ImageVariationsQuery {
    Bytes image{};
    std::string fileName{};
    std::optional<std::int64_t> n{};
    std::optional<std::string> size{};

    // The multipart body for this boundary.
    Bytes encode(const std::string& boundary) const;

    void encode(KeyedEncoder& encoder) const;
    static ImageVariationsQuery decode(const KeyedDecoder& decoder);
};

} // namespace brindlemoor
