#pragma once

#include "ai_service/models/wire_strings.h"

namespace brindlemoor {

// How generated pictures come back: as links or as base64 text.
enum class ImageResponseFormat { url, b64_json };

template <>
struct WireStrings<ImageResponseFormat> {
    using E = ImageResponseFormat;
    static constexpr std::array<std::pair<E, std::string_view>, 2> table{{
        {E::url, "url"},
        {E::b64_json, "b64_json"},
    }};
};

} // namespace brindlemoor
