#include "engine/language_menu_item_tag.h"

namespace brindlemoor {
namespace {

struct Row {
    LanguageMenuItemTag tag;
    std::string_view rawValue;
    std::string_view displayName;
};

constexpr std::array<Row, 9> kRows = {{
    {LanguageMenuItemTag::autoLanguage, "", "Auto"},
    {LanguageMenuItemTag::englishLanguage, "en", "English"},
    {LanguageMenuItemTag::germanLanguage, "de", "German"},
    {LanguageMenuItemTag::frenchLanguage, "fr", "French"},
    {LanguageMenuItemTag::spanishLanguage, "es", "Spanish"},
    {LanguageMenuItemTag::italianLanguage, "it", "Italian"},
    {LanguageMenuItemTag::chineseLanguage, "zh", "Chinese"},
    {LanguageMenuItemTag::japaneseLanguage, "ja", "Japanese"},
    {LanguageMenuItemTag::swedishLanguage, "sv", "Swedish"},
}};

const Row& row(LanguageMenuItemTag tag)
{
    return kRows[static_cast<std::size_t>(tag)];
}

} // namespace

const std::array<LanguageMenuItemTag, 9>& allLanguageMenuItemTags()
{
    static const std::array<LanguageMenuItemTag, 9> tags = [] {
        std::array<LanguageMenuItemTag, 9> result{};
        for (std::size_t index = 0; index < kRows.size(); ++index)
            result[index] = kRows[index].tag;
        return result;
    }();
    return tags;
}

std::string_view rawValue(LanguageMenuItemTag tag)
{
    return row(tag).rawValue;
}

std::string_view displayName(LanguageMenuItemTag tag)
{
    return row(tag).displayName;
}

std::optional<LanguageMenuItemTag> languageMenuItemTag(std::string_view raw)
{
    for (const Row& entry : kRows)
        if (entry.rawValue == raw)
            return entry.tag;
    return std::nullopt;
}

} // namespace brindlemoor
