#pragma once

#include "ai_service/client/api_error.h"

#include <exception>

namespace brindlemoor {

// The service's error envelope: a JSON object whose one member "error" is an APIError.
class APIErrorResponse : public std::exception {
public:
    APIError error;

    explicit APIErrorResponse(APIError error) : error(std::move(error)) {}

    static APIErrorResponse decode(const KeyedDecoder& decoder)
    {
        return APIErrorResponse(decoder.decode<APIError>("error"));
    }

    const char* what() const noexcept override { return error.what(); }
    const std::string& errorDescription() const { return error.message; }

    friend bool operator==(const APIErrorResponse& a, const APIErrorResponse& b) { return a.error == b.error; }
};

template <>
struct JsonCoding<APIErrorResponse> {
    static APIErrorResponse decode(const Json& json, const CodingPath& path)
    {
        return APIErrorResponse::decode(KeyedDecoder(json, path));
    }
};

} // namespace brindlemoor
