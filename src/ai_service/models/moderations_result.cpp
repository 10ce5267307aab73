#include "ai_service/models/moderations_result.h"

namespace brindlemoor {
namespace {

// Categories and scores share their seven keys; only the value type differs.
template <typename Record>
void encodeCategoryFields(const Record& record, KeyedEncoder& encoder)
{
    using Keys = typename Record::CodingKeys;
    encoder.encode(Keys::hate, record.hate);
    encoder.encode(Keys::hateThreatening, record.hateThreatening);
    encoder.encode(Keys::selfHarm, record.selfHarm);
    encoder.encode(Keys::sexual, record.sexual);
    encoder.encode(Keys::sexualMinors, record.sexualMinors);
    encoder.encode(Keys::violence, record.violence);
    encoder.encode(Keys::violenceGraphic, record.violenceGraphic);
}

template <typename Record, typename Value>
Record decodeCategoryFields(const KeyedDecoder& decoder)
{
    using Keys = typename Record::CodingKeys;
    Record record;
    record.hate = decoder.decode<Value>(Keys::hate);
    record.hateThreatening = decoder.decode<Value>(Keys::hateThreatening);
    record.selfHarm = decoder.decode<Value>(Keys::selfHarm);
    record.sexual = decoder.decode<Value>(Keys::sexual);
    record.sexualMinors = decoder.decode<Value>(Keys::sexualMinors);
    record.violence = decoder.decode<Value>(Keys::violence);
    record.violenceGraphic = decoder.decode<Value>(Keys::violenceGraphic);
    return record;
}

} // namespace

using CategoryResult = ModerationsResult::CategoryResult;

void CategoryResult::Categories::encode(KeyedEncoder& encoder) const
{
    encodeCategoryFields(*this, encoder);
}

CategoryResult::Categories CategoryResult::Categories::decode(const KeyedDecoder& decoder)
{
    return decodeCategoryFields<Categories, bool>(decoder);
}

void CategoryResult::CategoryScores::encode(KeyedEncoder& encoder) const
{
    encodeCategoryFields(*this, encoder);
}

CategoryResult::CategoryScores CategoryResult::CategoryScores::decode(const KeyedDecoder& decoder)
{
    return decodeCategoryFields<CategoryScores, double>(decoder);
}

void CategoryResult::encode(KeyedEncoder& encoder) const
{
    encoder.encode(CodingKeys::categories, categories);
    encoder.encode(CodingKeys::categoryScores, categoryScores);
    encoder.encode(CodingKeys::flagged, flagged);
}

CategoryResult CategoryResult::decode(const KeyedDecoder& decoder)
{
    CategoryResult result;
    result.categories = decoder.decode<Categories>(CodingKeys::categories);
    result.categoryScores = decoder.decode<CategoryScores>(CodingKeys::categoryScores);
    result.flagged = decoder.decode<bool>(CodingKeys::flagged);
    return result;
}

void ModerationsResult::encode(KeyedEncoder& encoder) const
{
    encoder.encode("id", id);
    encoder.encode("model", model);
    encoder.encode("results", results);
}

ModerationsResult ModerationsResult::decode(const KeyedDecoder& decoder)
{
    ModerationsResult result;
    result.id = decoder.decode<std::string>("id");
    result.model = decoder.decode<std::string>("model");
    result.results = decoder.decode<std::vector<CategoryResult>>("results");
    return result;
}

} // namespace brindlemoor
