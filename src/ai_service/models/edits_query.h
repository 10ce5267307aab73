#pragma once

#include "ai_service/models/json_coding.h"

#include <cstdint>
#include <optional>
#include <string>

namespace brindlemoor {

// Asks the service to edit a text by an instruction. Its top-p key is "topP", unlike the other queries.
struct EditsQuery {
    std::string model{};
    std::optional<std::string> input{};
    std::string instruction{};
    std::optional<std::int64_t> n{};
    std::optional<double> temperature{};
    std::optional<double> topP{};

    void encode(KeyedEncoder& encoder) const;
    static EditsQuery decode(const KeyedDecoder& decoder);
};

} // namespace brindlemoor
