#pragma once

#include "ai_service/models/json_coding.h"

#include <exception>
#include <optional>
#include <string>

namespace brindlemoor {

// The service's account of a failed request. Its description is the service's message.
class APIError : public std::exception {
public:
    std::string message;
    std::string type;
    std::optional<std::string> param;
    std::optional<std::string> code;

    APIError(std::string message, std::string type, std::optional<std::string> param = std::nullopt,
             std::optional<std::string> code = std::nullopt);

    // A "message" may also come as a list of strings; its lines are joined with line feeds.
    static APIError decode(const KeyedDecoder& decoder);

    const char* what() const noexcept override { return message.c_str(); }
    const std::string& errorDescription() const { return message; }

    friend bool operator==(const APIError& a, const APIError& b)
    {
        return a.message == b.message && a.type == b.type && a.param == b.param && a.code == b.code;
    }
};

template <>
struct JsonCoding<APIError> {
    static APIError decode(const Json& json, const CodingPath& path) { return APIError::decode(KeyedDecoder(json, path)); }
};

} // namespace brindlemoor
