#pragma once

#include "engine/language_menu_item_tag.h"

#include <optional>
#include <string>

namespace brindlemoor {

// The language the transcribers use: the chosen language's code, or under Auto the first two
// letters of the keyboard's language ("en" when the keyboard has none).
std::string currentLanguageCode();

// The same rule for a given choice and keyboard language.
std::string languageCodeFor(LanguageMenuItemTag tag, const std::optional<std::string>& keyboardLanguage);

} // namespace brindlemoor
