#pragma once

#include "ai_service/models/image_response_format.h"
#include "ai_service/models/json_coding.h"

#include <cstdint>
#include <optional>
#include <string>

namespace brindlemoor {

// Asks the service to draw pictures from a prompt. Keys are written in the order of CodingKeys.
struct ImagesQuery {
    enum class CodingKeys { model, prompt, n, size, user, style, responseFormat, quality };

    std::string prompt{};
    std::optional<std::string> model{};
    std::optional<ImageResponseFormat> responseFormat{};
    std::optional<std::int64_t> n{};
    std::optional<std::string> size{};
    std::optional<std::string> user{};
    std::optional<std::string> style{};
    std::optional<std::string> quality{};

    void encode(KeyedEncoder& encoder) const;
    static ImagesQuery decode(const KeyedDecoder& decoder);
};

template <>
struct WireStrings<ImagesQuery::CodingKeys> {
    using E = ImagesQuery::CodingKeys;
    static constexpr std::array<std::pair<E, std::string_view>, 8> table{{
        {E::model, "model"},
        {E::prompt, "prompt"},
        {E::n, "n"},
        {E::size, "size"},
        {E::user, "user"},
        {E::style, "style"},
        {E::responseFormat, "response_format"},
        {E::quality, "quality"},
    }};
};

} // namespace brindlemoor
