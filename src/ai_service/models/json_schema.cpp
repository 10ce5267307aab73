#include "ai_service/models/json_schema.h"

namespace brindlemoor {

template <>
struct JsonCoding<Box<JSONSchema::Items>> {
    static Json encode(const Box<JSONSchema::Items>& value, const CodingPath& path) { return encodeValue(*value, path); }
    static Box<JSONSchema::Items> decode(const Json& json, const CodingPath& path)
    {
        return decodeValue<JSONSchema::Items>(json, path);
    }
};

bool JSONSchema::Property::operator==(const Property& other) const = default;

void JSONSchema::Property::encode(KeyedEncoder& encoder) const
{
    encoder.encode("type", type);
    encoder.encodeIfPresent("description", description);
    encoder.encodeIfPresent("format", format);
    encoder.encodeIfPresent("items", items);
    encoder.encodeIfPresent("required", required);
    encoder.encodeIfPresent("pattern", pattern);
    encoder.encodeIfPresent("const", constValue);
    encoder.encodeIfPresent("enum", enumValues);
    encoder.encodeIfPresent("multipleOf", multipleOf);
    encoder.encodeIfPresent("minimum", minimum);
    encoder.encodeIfPresent("maximum", maximum);
    encoder.encodeIfPresent("minItems", minItems);
    encoder.encodeIfPresent("maxItems", maxItems);
    encoder.encodeIfPresent("uniqueItems", uniqueItems);
}

JSONSchema::Property JSONSchema::Property::decode(const KeyedDecoder& decoder)
{
    Property property;
    property.type = decoder.decode<JSONType>("type");
    property.description = decoder.decodeIfPresent<std::string>("description");
    property.format = decoder.decodeIfPresent<std::string>("format");
    property.items = decoder.decodeIfPresent<Box<Items>>("items");
    property.required = decoder.decodeIfPresent<std::vector<std::string>>("required");
    property.pattern = decoder.decodeIfPresent<std::string>("pattern");
    property.constValue = decoder.decodeIfPresent<std::string>("const");
    property.enumValues = decoder.decodeIfPresent<std::vector<std::string>>("enum");
    property.multipleOf = decoder.decodeIfPresent<std::int64_t>("multipleOf");
    property.minimum = decoder.decodeIfPresent<double>("minimum");
    property.maximum = decoder.decodeIfPresent<double>("maximum");
    property.minItems = decoder.decodeIfPresent<std::int64_t>("minItems");
    property.maxItems = decoder.decodeIfPresent<std::int64_t>("maxItems");
    property.uniqueItems = decoder.decodeIfPresent<bool>("uniqueItems");
    return property;
}

void JSONSchema::Items::encode(KeyedEncoder& encoder) const
{
    encoder.encode("type", type);
    encoder.encodeIfPresent("properties", properties);
    encoder.encodeIfPresent("pattern", pattern);
    encoder.encodeIfPresent("const", constValue);
    encoder.encodeIfPresent("enum", enumValues);
    encoder.encodeIfPresent("multipleOf", multipleOf);
    encoder.encodeIfPresent("minimum", minimum);
    encoder.encodeIfPresent("maximum", maximum);
    encoder.encodeIfPresent("minItems", minItems);
    encoder.encodeIfPresent("maxItems", maxItems);
    encoder.encodeIfPresent("uniqueItems", uniqueItems);
}

JSONSchema::Items JSONSchema::Items::decode(const KeyedDecoder& decoder)
{
    Items items;
    items.type = decoder.decode<JSONType>("type");
    items.properties = decoder.decodeIfPresent<std::map<std::string, Property>>("properties");
    items.pattern = decoder.decodeIfPresent<std::string>("pattern");
    items.constValue = decoder.decodeIfPresent<std::string>("const");
    items.enumValues = decoder.decodeIfPresent<std::vector<std::string>>("enum");
    items.multipleOf = decoder.decodeIfPresent<std::int64_t>("multipleOf");
    items.minimum = decoder.decodeIfPresent<double>("minimum");
    items.maximum = decoder.decodeIfPresent<double>("maximum");
    items.minItems = decoder.decodeIfPresent<std::int64_t>("minItems");
    items.maxItems = decoder.decodeIfPresent<std::int64_t>("maxItems");
    items.uniqueItems = decoder.decodeIfPresent<bool>("uniqueItems");
    return items;
}

void JSONSchema::encode(KeyedEncoder& encoder) const
{
    encoder.encode("type", type);
    encoder.encodeIfPresent("properties", properties);
    encoder.encodeIfPresent("required", required);
    encoder.encodeIfPresent("pattern", pattern);
    encoder.encodeIfPresent("const", constValue);
    encoder.encodeIfPresent("enum", enumValues);
    encoder.encodeIfPresent("multipleOf", multipleOf);
    encoder.encodeIfPresent("minimum", minimum);
    encoder.encodeIfPresent("maximum", maximum);
}

JSONSchema JSONSchema::decode(const KeyedDecoder& decoder)
{
    JSONSchema schema;
    schema.type = decoder.decode<JSONType>("type");
    schema.properties = decoder.decodeIfPresent<std::map<std::string, Property>>("properties");
    schema.required = decoder.decodeIfPresent<std::vector<std::string>>("required");
    schema.pattern = decoder.decodeIfPresent<std::string>("pattern");
    schema.constValue = decoder.decodeIfPresent<std::string>("const");
    schema.enumValues = decoder.decodeIfPresent<std::vector<std::string>>("enum");
    schema.multipleOf = decoder.decodeIfPresent<std::int64_t>("multipleOf");
    schema.minimum = decoder.decodeIfPresent<std::int64_t>("minimum");
    schema.maximum = decoder.decodeIfPresent<std::int64_t>("maximum");
    return schema;
}

} // namespace brindlemoor
