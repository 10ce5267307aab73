#pragma once

#include "ai_service/models/json_coding.h"

#include <string>

namespace brindlemoor {

// The name of one model to fetch; the client puts it in the request path.
struct ModelQuery {
    std::string model{};

    void encode(KeyedEncoder& encoder) const;
    static ModelQuery decode(const KeyedDecoder& decoder);

    bool operator==(const ModelQuery&) const = default;
};

} // namespace brindlemoor
