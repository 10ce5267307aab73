#pragma once

#include "engine/app_state.h"

#include <optional>
#include <string>

namespace brindlemoor {

// The locale of live recognition: the chosen language's code, or under Auto the keyboard's
// whole language identifier (script and region kept), or "en-US" when the keyboard has none.
std::string recognitionLocaleFor(const std::string& selectedLanguageCode,
                                 const std::optional<std::string>& keyboardLanguage);

// Makes `state.recognitionLocale()` follow the menu's language choice and the keyboard's language.
void installRecognitionLocaleRule(AppState& state = AppState::shared());

} // namespace brindlemoor
