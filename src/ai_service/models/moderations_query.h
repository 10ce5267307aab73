#pragma once

#include "ai_service/models/json_coding.h"

#include <optional>
#include <string>

namespace brindlemoor {

// A text for the service to check against its content rules.
struct ModerationsQuery {
    std::string input{};
    std::optional<std::string> model{};

    void encode(KeyedEncoder& encoder) const;
    static ModerationsQuery decode(const KeyedDecoder& decoder);
};

} // namespace brindlemoor
