#include "engine/current_language_code.h"

#include "engine/input_method_language_manager.h"
#include "engine/main_menu_view_model.h"

namespace brindlemoor {

std::string currentLanguageCode()
{
    return languageCodeFor(MainMenuViewModel::shared().selectedLanguageTag(),
                           InputMethodLanguageManager::shared().currentLanguage());
}

std::string languageCodeFor(LanguageMenuItemTag tag, const std::optional<std::string>& keyboardLanguage)
{
    std::string_view code = rawValue(tag);
    if (!code.empty())
        return std::string(code);
    return keyboardLanguage.value_or("en-US").substr(0, 2);
}

} // namespace brindlemoor
