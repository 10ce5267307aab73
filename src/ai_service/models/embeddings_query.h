#pragma once

#include "ai_service/models/json_coding.h"

#include <string>

namespace brindlemoor {

// One text to turn into a vector.
struct EmbeddingsQuery {
    std::string model{};
    std::string input{};

    void encode(KeyedEncoder& encoder) const;
    static EmbeddingsQuery decode(const KeyedDecoder& decoder);
};

} // namespace brindlemoor
