#pragma once

#include "ai_service/models/json_coding.h"

namespace brindlemoor {

// The reply format asked of the chat operation.
struct ResponseFormat {
    enum class ResponseFormatType { jsonObject, text };

    ResponseFormatType type{};

    static const ResponseFormat jsonObject;
    static const ResponseFormat text;

    void encode(KeyedEncoder& encoder) const;
    static ResponseFormat decode(const KeyedDecoder& decoder);

    bool operator==(const ResponseFormat&) const = default;
};

inline const ResponseFormat ResponseFormat::jsonObject{ResponseFormat::ResponseFormatType::jsonObject};
inline const ResponseFormat ResponseFormat::text{ResponseFormat::ResponseFormatType::text};

template <>
struct WireStrings<ResponseFormat::ResponseFormatType> {
    using E = ResponseFormat::ResponseFormatType;
    static constexpr std::array<std::pair<E, std::string_view>, 2> table{{
        {E::jsonObject, "json_object"},
        {E::text, "text"},
    }};
};

} // namespace brindlemoor
