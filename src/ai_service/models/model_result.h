#pragma once

#include "ai_service/models/json_coding.h"

#include <string>

namespace brindlemoor {

// One model as the service describes it; `id` is its identity.
struct ModelResult {
    enum class CodingKeys { id, object, ownedBy };

    std::string id{};
    std::string object{};
    std::string ownedBy{};

    void encode(KeyedEncoder& encoder) const;
    static ModelResult decode(const KeyedDecoder& decoder);

    bool operator==(const ModelResult&) const = default;
};

template <>
struct WireStrings<ModelResult::CodingKeys> {
    using E = ModelResult::CodingKeys;
    static constexpr std::array<std::pair<E, std::string_view>, 3> table{{
        {E::id, "id"},
        {E::object, "object"},
        {E::ownedBy, "owned_by"},
    }};
};

} // namespace brindlemoor
