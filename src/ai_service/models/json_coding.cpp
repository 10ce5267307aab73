#include "ai_service/models/json_coding.h"

#include "ai_service/models/base64.h"

#include <cmath>
#include <limits>

namespace brindlemoor {
namespace {

std::string jsonTypeName(const Json& json)
{
    if (json.is_null()) {
        return "null";
    }
    if (json.is_boolean()) {
        return "a boolean";
    }
    if (json.is_number()) {
        return "a number";
    }
    if (json.is_string()) {
        return "a string";
    }
    if (json.is_array()) {
        return "an array";
    }
    return "an object";
}

bool isValidUtf8(std::string_view text)
{
    std::size_t index = 0;
    while (index < text.size()) {
        const auto lead = static_cast<unsigned char>(text[index]);
        std::size_t length = 0;
        std::uint32_t codePoint = 0;
        if (lead < 0x80) {
            ++index;
            continue;
        } else if ((lead & 0xE0) == 0xC0) {
            length = 2;
            codePoint = lead & 0x1F;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3;
            codePoint = lead & 0x0F;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4;
            codePoint = lead & 0x07;
        } else {
            return false;
        }
        if (index + length > text.size()) {
            return false;
        }
        for (std::size_t offset = 1; offset < length; ++offset) {
            const auto continuation = static_cast<unsigned char>(text[index + offset]);
            if ((continuation & 0xC0) != 0x80) {
                return false;
            }
            codePoint = (codePoint << 6) | (continuation & 0x3F);
        }
        const bool overlong = (length == 2 && codePoint < 0x80) || (length == 3 && codePoint < 0x800)
            || (length == 4 && codePoint < 0x10000);
        if (overlong || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
            return false;
        }
        index += length;
    }
    return true;
}

} // namespace

DecodingError typeMismatchError(const CodingPath& path, std::string_view expected, const Json& found)
{
    return DecodingError(DecodingError::Kind::typeMismatch, path,
        "Expected " + std::string(expected) + " but found " + jsonTypeName(found) + " instead.");
}

DecodingError dataCorruptedError(const CodingPath& path, std::string debugDescription)
{
    return DecodingError(DecodingError::Kind::dataCorrupted, path, std::move(debugDescription));
}

KeyedDecoder::KeyedDecoder(const Json& json, CodingPath path)
    : json_(json)
    , path_(std::move(path))
{
    if (!json_.is_object()) {
        throw typeMismatchError(path_, "an object", json_);
    }
}

Json JsonCoding<std::string>::encode(const std::string& value, const CodingPath& path)
{
    if (!isValidUtf8(value)) {
        throw EncodingError(EncodingError::Kind::invalidValue, path, "The text is not valid UTF-8.");
    }
    return value;
}

std::string JsonCoding<std::string>::decode(const Json& json, const CodingPath& path)
{
    if (!json.is_string()) {
        throw typeMismatchError(path, "a string", json);
    }
    return json.get<std::string>();
}

Json JsonCoding<bool>::encode(bool value, const CodingPath&)
{
    return value;
}

bool JsonCoding<bool>::decode(const Json& json, const CodingPath& path)
{
    if (!json.is_boolean()) {
        throw typeMismatchError(path, "a boolean", json);
    }
    return json.get<bool>();
}

Json JsonCoding<std::int64_t>::encode(std::int64_t value, const CodingPath&)
{
    return value;
}

std::int64_t JsonCoding<std::int64_t>::decode(const Json& json, const CodingPath& path)
{
    if (json.is_number_integer() && !json.is_number_unsigned()) {
        return json.get<std::int64_t>();
    }
    if (json.is_number_unsigned()) {
        const auto value = json.get<std::uint64_t>();
        if (value <= static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) {
            return static_cast<std::int64_t>(value);
        }
        throw dataCorruptedError(path, "The number " + json.dump() + " does not fit in a 64-bit integer.");
    }
    if (json.is_number_float()) {
        const double value = json.get<double>();
        // 2^63 is exactly representable; everything below it and at or above -2^63 fits.
        constexpr double limit = 9223372036854775808.0;
        if (std::trunc(value) == value && value >= -limit && value < limit) {
            return static_cast<std::int64_t>(value);
        }
        throw dataCorruptedError(path, "The number " + json.dump() + " does not fit in a 64-bit integer.");
    }
    throw typeMismatchError(path, "an integer", json);
}

Json JsonCoding<double>::encode(double value, const CodingPath& path)
{
    if (!std::isfinite(value)) {
        throw EncodingError(EncodingError::Kind::invalidValue, path, "A number that is not finite cannot be written as JSON.");
    }
    return value;
}

double JsonCoding<double>::decode(const Json& json, const CodingPath& path)
{
    if (!json.is_number()) {
        throw typeMismatchError(path, "a number", json);
    }
    return json.get<double>();
}

Json JsonCoding<Bytes>::encode(const Bytes& value, const CodingPath&)
{
    return base64Encoded(value);
}

Bytes JsonCoding<Bytes>::decode(const Json& json, const CodingPath& path)
{
    const auto text = JsonCoding<std::string>::decode(json, path);
    if (auto bytes = base64Decoded(text)) {
        return std::move(*bytes);
    }
    throw dataCorruptedError(path, "The text is not valid base64.");
}

Json parseJsonText(std::string_view text)
{
    try {
        return Json::parse(text);
    } catch (const Json::parse_error& error) {
        throw dataCorruptedError({}, std::string("The given data was not valid JSON: ") + error.what());
    }
}

} // namespace brindlemoor
