#pragma once

#include "ai_service/models/json_coding.h"
#include "ai_service/models/model_result.h"

#include <string>
#include <vector>

namespace brindlemoor {

// Every model the service offers, in reply order.
struct ModelsResult {
    std::vector<ModelResult> data{};
    std::string object{};

    void encode(KeyedEncoder& encoder) const;
    static ModelsResult decode(const KeyedDecoder& decoder);

    bool operator==(const ModelsResult&) const = default;
};

} // namespace brindlemoor
