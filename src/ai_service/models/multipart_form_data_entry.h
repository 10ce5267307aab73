#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace brindlemoor {

// A form field's value; string-valued enumerations are given as their wire string.
using MultipartFormDataValue = std::variant<std::string, std::int64_t, double>;

// One part of a multipart form body.
struct MultipartFormDataEntry {
    struct File {
        std::string name{};
        std::optional<std::string> fileName{};
        std::optional<std::vector<std::uint8_t>> data{};
        std::string contentType{};

        bool operator==(const File&) const = default;
    };

    struct String {
        std::string name{};
        std::optional<MultipartFormDataValue> value{};

        bool operator==(const String&) const = default;
    };

    std::variant<File, String> content;

    static MultipartFormDataEntry file(std::string name, std::optional<std::string> fileName,
        std::optional<std::vector<std::uint8_t>> data, std::string contentType)
    {
        return {File{std::move(name), std::move(fileName), std::move(data), std::move(contentType)}};
    }

    static MultipartFormDataEntry string(std::string name, std::optional<MultipartFormDataValue> value)
    {
        return {String{std::move(name), std::move(value)}};
    }

    // A field whose value may be missing; none writes no part.
    template <typename T>
    static MultipartFormDataEntry string(std::string name, const std::optional<T>& value)
    {
        if (!value) {
            return string(std::move(name), std::optional<MultipartFormDataValue>());
        }
        return string(std::move(name), std::optional<MultipartFormDataValue>(std::in_place, *value));
    }

    bool operator==(const MultipartFormDataEntry&) const = default;
};

} // namespace brindlemoor
