#pragma once

// JSON coding of the service's records: every record writes its fields in the order of its
// key table through a KeyedEncoder and reads them through a KeyedDecoder. Failures are typed
// (DecodingError, EncodingError) and carry the path to the failing value.

#include "ai_service/models/decoding_error.h"
#include "ai_service/models/encoding_error.h"
#include "ai_service/models/wire_strings.h"

#include <nlohmann/json.hpp>

#include <concepts>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brindlemoor {

// Objects keep the order in which keys were written.
using Json = nlohmann::ordered_json;
// The contents of a file; base64 text in JSON.
using Bytes = std::vector<std::uint8_t>;

class KeyedEncoder;
class KeyedDecoder;

// How one type is written and read. Specialised below for the value types; records get it
// by offering `void encode(KeyedEncoder&) const` and `static T decode(const KeyedDecoder&)`.
template <typename T>
struct JsonCoding;

// Reads one value of type T, failing with valueNotFound on null.
template <typename T>
T decodeValue(const Json& json, const CodingPath& path);

template <typename T>
Json encodeValue(const T& value, const CodingPath& path)
{
    return JsonCoding<T>::encode(value, path);
}

DecodingError typeMismatchError(const CodingPath& path, std::string_view expected, const Json& found);
DecodingError dataCorruptedError(const CodingPath& path, std::string debugDescription);

template <typename K>
std::string_view codingKeyString(const K& key)
{
    if constexpr (WireStringEnum<K>) {
        return wireString(key);
    } else {
        return std::string_view(key);
    }
}

class KeyedEncoder {
public:
    explicit KeyedEncoder(CodingPath path) : path_(std::move(path)) {}

    template <typename T, typename K>
    void encode(const K& key, const T& value)
    {
        const std::string name(codingKeyString(key));
        json_[name] = encodeValue(value, appendingToCodingPath(path_, name));
    }

    template <typename T, typename K>
    void encodeIfPresent(const K& key, const std::optional<T>& value)
    {
        if (value) {
            encode(key, *value);
        }
    }

    template <typename K>
    void encodeNull(const K& key)
    {
        json_[std::string(codingKeyString(key))] = nullptr;
    }

    const CodingPath& codingPath() const { return path_; }
    Json json() && { return std::move(json_); }

private:
    CodingPath path_;
    Json json_ = Json::object();
};

class KeyedDecoder {
public:
    // Fails with typeMismatch when the value is not a JSON object.
    KeyedDecoder(const Json& json, CodingPath path);

    template <typename T, typename K>
    T decode(const K& key) const
    {
        const std::string name(codingKeyString(key));
        const auto found = json_.find(name);
        CodingPath keyPath = appendingToCodingPath(path_, name);
        if (found == json_.end()) {
            throw DecodingError(DecodingError::Kind::keyNotFound, std::move(keyPath),
                "No value associated with key \"" + name + "\".");
        }
        return decodeValue<T>(*found, keyPath);
    }

    // None when the key is missing or holds null.
    template <typename T, typename K>
    std::optional<T> decodeIfPresent(const K& key) const
    {
        const std::string name(codingKeyString(key));
        const auto found = json_.find(name);
        if (found == json_.end() || found->is_null()) {
            return std::nullopt;
        }
        return decodeValue<T>(*found, appendingToCodingPath(path_, name));
    }

    const Json& json() const { return json_; }
    const CodingPath& codingPath() const { return path_; }

private:
    const Json& json_;
    CodingPath path_;
};

template <typename T>
concept KeyedRecord = requires(const T& value, KeyedEncoder& encoder, const KeyedDecoder& decoder) {
    value.encode(encoder);
    { T::decode(decoder) } -> std::same_as<T>;
};

template <KeyedRecord T>
struct JsonCoding<T> {
    static Json encode(const T& value, const CodingPath& path)
    {
        KeyedEncoder encoder(path);
        value.encode(encoder);
        return std::move(encoder).json();
    }
    static T decode(const Json& json, const CodingPath& path) { return T::decode(KeyedDecoder(json, path)); }
};

template <>
struct JsonCoding<std::string> {
    // Fails when the text is not valid UTF-8.
    static Json encode(const std::string& value, const CodingPath& path);
    static std::string decode(const Json& json, const CodingPath& path);
};

template <>
struct JsonCoding<bool> {
    static Json encode(bool value, const CodingPath& path);
    static bool decode(const Json& json, const CodingPath& path);
};

// Accepts integral numbers within the 64-bit signed range, whatever their JSON spelling.
template <>
struct JsonCoding<std::int64_t> {
    static Json encode(std::int64_t value, const CodingPath& path);
    static std::int64_t decode(const Json& json, const CodingPath& path);
};

// Accepts any JSON number; refuses to write values JSON cannot carry (NaN, infinities).
template <>
struct JsonCoding<double> {
    static Json encode(double value, const CodingPath& path);
    static double decode(const Json& json, const CodingPath& path);
};

template <>
struct JsonCoding<Bytes> {
    static Json encode(const Bytes& value, const CodingPath& path);
    static Bytes decode(const Json& json, const CodingPath& path);
};

template <typename T>
struct JsonCoding<std::vector<T>> {
    static Json encode(const std::vector<T>& values, const CodingPath& path)
    {
        Json array = Json::array();
        for (std::size_t index = 0; index < values.size(); ++index) {
            array.push_back(encodeValue(values[index], appendingToCodingPath(path, index)));
        }
        return array;
    }
    static std::vector<T> decode(const Json& json, const CodingPath& path)
    {
        if (!json.is_array()) {
            throw typeMismatchError(path, "an array", json);
        }
        std::vector<T> values;
        values.reserve(json.size());
        for (std::size_t index = 0; index < json.size(); ++index) {
            values.push_back(decodeValue<T>(json[index], appendingToCodingPath(path, index)));
        }
        return values;
    }
};

template <typename T>
struct JsonCoding<std::map<std::string, T>> {
    static Json encode(const std::map<std::string, T>& values, const CodingPath& path)
    {
        Json object = Json::object();
        for (const auto& [key, value] : values) {
            JsonCoding<std::string>::encode(key, path);
            object[key] = encodeValue(value, appendingToCodingPath(path, key));
        }
        return object;
    }
    static std::map<std::string, T> decode(const Json& json, const CodingPath& path)
    {
        if (!json.is_object()) {
            throw typeMismatchError(path, "an object", json);
        }
        std::map<std::string, T> values;
        for (const auto& [key, value] : json.items()) {
            values.emplace(key, decodeValue<T>(value, appendingToCodingPath(path, key)));
        }
        return values;
    }
};

template <WireStringEnum E>
struct JsonCoding<E> {
    static Json encode(E value, const CodingPath&) { return std::string(wireString(value)); }
    static E decode(const Json& json, const CodingPath& path)
    {
        const auto text = JsonCoding<std::string>::decode(json, path);
        if (const auto value = fromWireString<E>(text)) {
            return *value;
        }
        throw dataCorruptedError(path, "Cannot initialize the enumeration from invalid value \"" + text + "\".");
    }
};

template <typename T>
T decodeValue(const Json& json, const CodingPath& path)
{
    if (json.is_null()) {
        throw DecodingError(DecodingError::Kind::valueNotFound, path, "Expected a value but found null instead.");
    }
    return JsonCoding<T>::decode(json, path);
}

// The whole document of a record.
template <typename T>
Json encodeJson(const T& value)
{
    return encodeValue(value, {});
}

template <typename T>
T decodeJson(const Json& json)
{
    return decodeValue<T>(json, {});
}

// Parses JSON text; text that is not JSON fails with dataCorrupted at the top level.
Json parseJsonText(std::string_view text);

template <typename T>
std::string encodeJsonText(const T& value)
{
    return encodeJson(value).dump();
}

template <typename T>
T decodeJsonText(std::string_view text)
{
    return decodeJson<T>(parseJsonText(text));
}

} // namespace brindlemoor
