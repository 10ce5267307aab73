#pragma once

#include "delivery/elements_manager.h"
#include "engine/language_menu_item_tag.h"
#include "platform/accessibility_element.h"
#include "platform/cancellable.h"
#include "platform/notification_center.h"
#include "platform/published.h"
#include "platform/user_defaults.h"

#include <map>
#include <optional>
#include <string>

namespace brindlemoor {

// The state behind the status menu: the recognition language (kept under
// "LanguagePreference"), where dictated text goes, and the recently focused text fields.
// Main thread only, except `elementsManager`, which serialises its own work.
class MainMenuViewModel {
public:
    // The process's model. The status menu creates it when it is built and holds it for the
    // life of the process; the insertion entry and `currentLanguageCode` reach it here.
    static MainMenuViewModel& shared();

    explicit MainMenuViewModel(UserDefaults& defaults = UserDefaults::standard(),
                               NotificationCenter& center = NotificationCenter::defaultCenter());
    MainMenuViewModel(const MainMenuViewModel&) = delete;
    MainMenuViewModel& operator=(const MainMenuViewModel&) = delete;

    ElementsManager elementsManager;
    // True: text goes to the frontmost application; false: to `selectedDictationTarget()`.
    bool isDictatingToActiveApp = true;
    const std::string languagePreferenceKey = "LanguagePreference";
    const std::map<LanguageMenuItemTag, std::string> languageNames;

    LanguageMenuItemTag selectedLanguageTag() const { return selectedLanguageTag_.get(); }
    // Stores, saves the preference and ends the recogniser's pass, also for the same tag.
    void setSelectedLanguageTag(LanguageMenuItemTag tag);
    [[nodiscard]] Cancellable subscribeSelectedLanguageTag(Published<LanguageMenuItemTag>::Subscriber subscriber)
    {
        return selectedLanguageTag_.subscribe(std::move(subscriber));
    }
    std::string selectedLanguageCode() const { return std::string(rawValue(selectedLanguageTag())); }

    std::optional<AccessibilityElement> selectedDictationTarget() const { return selectedDictationTarget_.get(); }
    // Announces "ManualDictationTargetChanged" at every assignment.
    void setSelectedDictationTarget(std::optional<AccessibilityElement> target)
    {
        selectedDictationTarget_.set(std::move(target));
    }
    [[nodiscard]] Cancellable subscribeSelectedDictationTarget(
        Published<std::optional<AccessibilityElement>>::Subscriber subscriber)
    {
        return selectedDictationTarget_.subscribe(std::move(subscriber));
    }

    void saveLanguagePreference();
    LanguageMenuItemTag loadLanguagePreference() const;

private:
    UserDefaults& defaults_;
    NotificationCenter& center_;
    Published<LanguageMenuItemTag> selectedLanguageTag_{LanguageMenuItemTag::autoLanguage};
    Published<std::optional<AccessibilityElement>> selectedDictationTarget_{std::nullopt};
    Cancellable cancellable_;
};

} // namespace brindlemoor
