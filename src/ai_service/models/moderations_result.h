#pragma once

#include "ai_service/models/json_coding.h"

#include <string>
#include <vector>

namespace brindlemoor {

// For each input: whether the service flagged it and how it rated it in seven categories.
// The category keys hold slashes and hyphens ("self-harm", "hate/threatening").
struct ModerationsResult {
    struct CategoryResult {
        struct Categories {
            enum class CodingKeys { hate, hateThreatening, selfHarm, sexual, sexualMinors, violence, violenceGraphic };

            bool hate = false;
            bool hateThreatening = false;
            bool selfHarm = false;
            bool sexual = false;
            bool sexualMinors = false;
            bool violence = false;
            bool violenceGraphic = false;

            void encode(KeyedEncoder& encoder) const;
            static Categories decode(const KeyedDecoder& decoder);

            bool operator==(const Categories&) const = default;
        };

        struct CategoryScores {
            enum class CodingKeys { hate, hateThreatening, selfHarm, sexual, sexualMinors, violence, violenceGraphic };

            double hate = 0;
            double hateThreatening = 0;
            double selfHarm = 0;
            double sexual = 0;
            double sexualMinors = 0;
            double violence = 0;
            double violenceGraphic = 0;

            void encode(KeyedEncoder& encoder) const;
            static CategoryScores decode(const KeyedDecoder& decoder);

            bool operator==(const CategoryScores&) const = default;
        };

        enum class CodingKeys { categories, categoryScores, flagged };

        Categories categories{};
        CategoryScores categoryScores{};
        bool flagged = false;

        void encode(KeyedEncoder& encoder) const;
        static CategoryResult decode(const KeyedDecoder& decoder);

        bool operator==(const CategoryResult&) const = default;
    };

    std::string id{};
    std::string model{};
    std::vector<CategoryResult> results{};

    void encode(KeyedEncoder& encoder) const;
    static ModerationsResult decode(const KeyedDecoder& decoder);

    bool operator==(const ModerationsResult&) const = default;
};

template <>
struct WireStrings<ModerationsResult::CategoryResult::CodingKeys> {
    using E = ModerationsResult::CategoryResult::CodingKeys;
    static constexpr std::array<std::pair<E, std::string_view>, 3> table{{
        {E::categories, "categories"},
        {E::categoryScores, "category_scores"},
        {E::flagged, "flagged"},
    }};
};

template <>
struct WireStrings<ModerationsResult::CategoryResult::Categories::CodingKeys> {
    using E = ModerationsResult::CategoryResult::Categories::CodingKeys;
    static constexpr std::array<std::pair<E, std::string_view>, 7> table{{
        {E::hate, "hate"},
        {E::hateThreatening, "hate/threatening"},
        {E::selfHarm, "self-harm"},
        {E::sexual, "sexual"},
        {E::sexualMinors, "sexual/minors"},
        {E::violence, "violence"},
        {E::violenceGraphic, "violence/graphic"},
    }};
};

template <>
struct WireStrings<ModerationsResult::CategoryResult::CategoryScores::CodingKeys> {
    using E = ModerationsResult::CategoryResult::CategoryScores::CodingKeys;
    static constexpr std::array<std::pair<E, std::string_view>, 7> table{{
        {E::hate, "hate"},
        {E::hateThreatening, "hate/threatening"},
        {E::selfHarm, "self-harm"},
        {E::sexual, "sexual"},
        {E::sexualMinors, "sexual/minors"},
        {E::violence, "violence"},
        {E::violenceGraphic, "violence/graphic"},
    }};
};

} // namespace brindlemoor
