#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace brindlemoor {

// The languages recognition can use; the raw value is the language code ("" for Auto).
enum class LanguageMenuItemTag {
    autoLanguage,
    englishLanguage,
    germanLanguage,
    frenchLanguage,
    spanishLanguage,
    italianLanguage,
    chineseLanguage,
    japaneseLanguage,
    swedishLanguage,
};

// Every tag, in menu order.
const std::array<LanguageMenuItemTag, 9>& allLanguageMenuItemTags();
std::string_view rawValue(LanguageMenuItemTag tag);
std::string_view displayName(LanguageMenuItemTag tag);
// The tag whose raw value is exactly `raw` (case matters); none for any other text.
std::optional<LanguageMenuItemTag> languageMenuItemTag(std::string_view raw);

} // namespace brindlemoor
