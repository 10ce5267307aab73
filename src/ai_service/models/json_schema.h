#pragma once

#include "ai_service/models/box.h"
#include "ai_service/models/json_coding.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace brindlemoor {

// The schema of a function's arguments, in the small vocabulary the chat operation accepts.
// The JSON key of `enumValues` is "enum" and that of `constValue` is "const".
struct JSONSchema {
    enum class JSONType { integer, string, boolean, array, object, number, null };

    struct Items;

    // One named property.
    struct Property {
        JSONType type{};
        std::optional<std::string> description{};
        std::optional<std::string> format{};
        std::optional<Box<Items>> items{};
        std::optional<std::vector<std::string>> required{};
        std::optional<std::string> pattern{};
        std::optional<std::string> constValue{};
        std::optional<std::vector<std::string>> enumValues{};
        std::optional<std::int64_t> multipleOf{};
        std::optional<double> minimum{};
        std::optional<double> maximum{};
        std::optional<std::int64_t> minItems{};
        std::optional<std::int64_t> maxItems{};
        std::optional<bool> uniqueItems{};

        void encode(KeyedEncoder& encoder) const;
        static Property decode(const KeyedDecoder& decoder);

        bool operator==(const Property& other) const;
    };

    // The elements of an array property.
    struct Items {
        JSONType type{};
        std::optional<std::map<std::string, Property>> properties{};
        std::optional<std::string> pattern{};
        std::optional<std::string> constValue{};
        std::optional<std::vector<std::string>> enumValues{};
        std::optional<std::int64_t> multipleOf{};
        std::optional<double> minimum{};
        std::optional<double> maximum{};
        std::optional<std::int64_t> minItems{};
        std::optional<std::int64_t> maxItems{};
        std::optional<bool> uniqueItems{};

        void encode(KeyedEncoder& encoder) const;
        static Items decode(const KeyedDecoder& decoder);

        bool operator==(const Items&) const = default;
    };

    JSONType type{};
    std::optional<std::map<std::string, Property>> properties{};
    std::optional<std::vector<std::string>> required{};
    std::optional<std::string> pattern{};
    std::optional<std::string> constValue{};
    std::optional<std::vector<std::string>> enumValues{};
    std::optional<std::int64_t> multipleOf{};
    std::optional<std::int64_t> minimum{};
    std::optional<std::int64_t> maximum{};

    void encode(KeyedEncoder& encoder) const;
    static JSONSchema decode(const KeyedDecoder& decoder);

    bool operator==(const JSONSchema&) const = default;
};

template <>
struct WireStrings<JSONSchema::JSONType> {
    using E = JSONSchema::JSONType;
    static constexpr std::array<std::pair<E, std::string_view>, 7> table{{
        {E::integer, "integer"},
        {E::string, "string"},
        {E::boolean, "boolean"},
        {E::array, "array"},
        {E::object, "object"},
        {E::number, "number"},
        {E::null, "null"},
    }};
};

} // namespace brindlemoor
