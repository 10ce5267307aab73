#include "engine/recognition_locale.h"

#include "engine/input_method_language_manager.h"
#include "engine/main_menu_view_model.h"

namespace brindlemoor {

std::string recognitionLocaleFor(const std::string& selectedLanguageCode,
                                 const std::optional<std::string>& keyboardLanguage)
{
    if (!selectedLanguageCode.empty())
        return selectedLanguageCode;
    return keyboardLanguage.value_or("en-US");
}

void installRecognitionLocaleRule(AppState& state)
{
    state.setRecognitionLocaleProvider([] {
        std::string code = MainMenuViewModel::shared().selectedLanguageCode();
        // The keyboard's language manager starts only when Auto first needs it.
        if (!code.empty())
            return code;
        return recognitionLocaleFor(code, InputMethodLanguageManager::shared().currentLanguage());
    });
}

} // namespace brindlemoor
