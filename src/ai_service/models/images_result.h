#pragma once

#include "ai_service/models/json_coding.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace brindlemoor {

// The pictures the service made, as links or base64 text.
struct ImagesResult {
    struct URLResult {
        std::optional<std::string> url{};
        std::optional<std::string> b64_json{};

        void encode(KeyedEncoder& encoder) const;
        static URLResult decode(const KeyedDecoder& decoder);

        bool operator==(const URLResult&) const = default;
    };

    double created = 0;
    std::vector<URLResult> data{};

    void encode(KeyedEncoder& encoder) const;
    static ImagesResult decode(const KeyedDecoder& decoder);

    bool operator==(const ImagesResult&) const = default;
};

} // namespace brindlemoor

template <>
struct std::hash<brindlemoor::ImagesResult::URLResult> {
    std::size_t operator()(const brindlemoor::ImagesResult::URLResult& value) const;
};
