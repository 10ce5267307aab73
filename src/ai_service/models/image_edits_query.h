#pragma once

#include "ai_service/models/json_coding.h"

#include <cstdint>
#include <optional>
#include <string>

namespace brindlemoor {

// A picture to edit by a prompt, with an optional mask; sent as a multipart form.
struct ImageEditsQuery {
    Bytes image{};
    std::string fileName{};
    std::optional<Bytes> mask{};
    std::optional<std::string> maskFileName{};
    std::string prompt{};
    std::optional<std::int64_t> n{};
    std::optional<std::string> size{};

    // The multipart body for this boundary; the mask part needs both the mask and its file name.
    Bytes encode(const std::string& boundary) const;

    void encode(KeyedEncoder& encoder) const;
    static ImageEditsQuery decode(const KeyedDecoder& decoder);
};

} // namespace brindlemoor
