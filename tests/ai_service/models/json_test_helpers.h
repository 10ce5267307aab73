#pragma once

#include "ai_service/models/json_coding.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace brindlemoor::testing {

// The keys of an encoded object in the order they were written.
inline std::vector<std::string> keysOf(const Json& object)
{
    std::vector<std::string> keys;
    for (const auto& [key, value] : object.items()) {
        keys.push_back(key);
    }
    return keys;
}

template <typename T>
T decoded(const std::string& text)
{
    return decodeJsonText<T>(text);
}

// The error a document fails with; fails the test when it decodes.
template <typename T>
DecodingError decodingFailure(const std::string& text)
{
    try {
        decodeJsonText<T>(text);
    } catch (const DecodingError& error) {
        return error;
    }
    ADD_FAILURE() << "decoded although it should fail: " << text;
    return DecodingError(DecodingError::Kind::dataCorrupted, {}, "");
}

} // namespace brindlemoor::testing
