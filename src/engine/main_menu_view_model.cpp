#include "engine/main_menu_view_model.h"

#include "engine/notification_names.h"

namespace brindlemoor {
namespace {

std::map<LanguageMenuItemTag, std::string> makeLanguageNames()
{
    std::map<LanguageMenuItemTag, std::string> names;
    for (LanguageMenuItemTag tag : allLanguageMenuItemTags())
        names.emplace(tag, std::string(displayName(tag)));
    return names;
}

} // namespace

MainMenuViewModel& MainMenuViewModel::shared()
{
    static MainMenuViewModel model;
    return model;
}

MainMenuViewModel::MainMenuViewModel(UserDefaults& defaults, NotificationCenter& center)
    : languageNames(makeLanguageNames()), defaults_(defaults), center_(center)
{
    cancellable_ = selectedDictationTarget_.subscribe([this](const std::optional<AccessibilityElement>&) {
        center_.post(std::string(notification_names::manualDictationTargetChanged));
    });
    selectedLanguageTag_.set(loadLanguagePreference());
    saveLanguagePreference();
    center_.post(std::string(notification_names::stopLiveSpeechRecognizer));
}

void MainMenuViewModel::setSelectedLanguageTag(LanguageMenuItemTag tag)
{
    selectedLanguageTag_.set(tag);
    saveLanguagePreference();
    center_.post(std::string(notification_names::stopLiveSpeechRecognizer));
}

void MainMenuViewModel::saveLanguagePreference()
{
    defaults_.setString(languagePreferenceKey, std::string(rawValue(selectedLanguageTag())));
}

LanguageMenuItemTag MainMenuViewModel::loadLanguagePreference() const
{
    std::optional<std::string> stored = defaults_.string(languagePreferenceKey);
    if (!stored)
        return LanguageMenuItemTag::autoLanguage;
    return languageMenuItemTag(*stored).value_or(LanguageMenuItemTag::autoLanguage);
}

} // namespace brindlemoor
