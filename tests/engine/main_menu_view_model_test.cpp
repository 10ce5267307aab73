#include "engine/current_language_code.h"
#include "engine/main_menu_view_model.h"
#include "engine/notification_names.h"
#include "fakes/fake_accessibility.h"
#include "fakes/in_memory_user_defaults.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace brindlemoor {
namespace {

using ::testing::ElementsAre;

class MainMenuViewModelTest : public ::testing::Test {
protected:
    MainMenuViewModelTest()
    {
        for (auto name : {notification_names::manualDictationTargetChanged, notification_names::stopLiveSpeechRecognizer})
            observations_.push_back(center_.observe(std::string(name), [this](const Notification& notification) {
                posted_.push_back(notification.name);
            }));
    }

    std::unique_ptr<MainMenuViewModel> makeModel() { return std::make_unique<MainMenuViewModel>(defaults_, center_); }

    fakes::InMemoryUserDefaults defaults_;
    NotificationCenter center_;
    std::vector<Cancellable> observations_;
    std::vector<std::string> posted_;
};

TEST_F(MainMenuViewModelTest, StartsWithTheActiveApplicationAndAutoAndPostsOnceEach)
{
    auto model = makeModel();
    EXPECT_TRUE(model->isDictatingToActiveApp);
    EXPECT_FALSE(model->selectedDictationTarget());
    EXPECT_EQ(model->selectedLanguageTag(), LanguageMenuItemTag::autoLanguage);
    EXPECT_EQ(defaults_.string("LanguagePreference"), "");
    EXPECT_THAT(posted_, ElementsAre("ManualDictationTargetChanged", "stopLiveSpeechRecognizerNotification"));
    EXPECT_EQ(model->languageNames.at(LanguageMenuItemTag::swedishLanguage), "Swedish");
    EXPECT_EQ(model->languageNames.size(), 9u);
}

TEST_F(MainMenuViewModelTest, LoadsAStoredLanguageAndRewritesUnknownValuesAsAuto)
{
    defaults_.setString("LanguagePreference", "de");
    EXPECT_EQ(makeModel()->selectedLanguageCode(), "de");
    EXPECT_EQ(defaults_.string("LanguagePreference"), "de");

    for (const char* stored : {"DE", "German", "pt", " en"}) {
        defaults_.setString("LanguagePreference", stored);
        EXPECT_EQ(makeModel()->selectedLanguageTag(), LanguageMenuItemTag::autoLanguage) << stored;
        EXPECT_EQ(defaults_.string("LanguagePreference"), "") << stored;
    }
}

TEST_F(MainMenuViewModelTest, ChoosingALanguageSavesAndEndsThePassEvenWhenUnchanged)
{
    auto model = makeModel();
    posted_.clear();
    model->setSelectedLanguageTag(LanguageMenuItemTag::japaneseLanguage);
    EXPECT_EQ(defaults_.string("LanguagePreference"), "ja");
    defaults_.remove("LanguagePreference");
    model->setSelectedLanguageTag(LanguageMenuItemTag::japaneseLanguage);
    EXPECT_EQ(defaults_.string("LanguagePreference"), "ja");
    EXPECT_THAT(posted_, ElementsAre("stopLiveSpeechRecognizerNotification", "stopLiveSpeechRecognizerNotification"));
}

TEST_F(MainMenuViewModelTest, EveryTargetAssignmentIsAnnounced)
{
    auto model = makeModel();
    posted_.clear();
    auto field = fakes::makeFakeElement(1);
    model->setSelectedDictationTarget(field->element());
    model->setSelectedDictationTarget(field->element());
    model->setSelectedDictationTarget(std::nullopt);
    EXPECT_THAT(posted_, ElementsAre("ManualDictationTargetChanged", "ManualDictationTargetChanged",
                                     "ManualDictationTargetChanged"));
    EXPECT_FALSE(model->selectedDictationTarget());
}

TEST(LanguageMenuItemTag, MatchesRawValuesExactly)
{
    EXPECT_EQ(languageMenuItemTag(""), LanguageMenuItemTag::autoLanguage);
    EXPECT_EQ(languageMenuItemTag("zh"), LanguageMenuItemTag::chineseLanguage);
    EXPECT_FALSE(languageMenuItemTag("ZH"));
    EXPECT_FALSE(languageMenuItemTag("Chinese"));
    std::vector<std::string> names;
    for (auto tag : allLanguageMenuItemTags())
        names.emplace_back(displayName(tag));
    EXPECT_THAT(names, ElementsAre("Auto", "English", "German", "French", "Spanish", "Italian", "Chinese", "Japanese",
                                   "Swedish"));
}

TEST(CurrentLanguageCode, UsesTheChoiceOrTheKeyboardsFirstTwoLetters)
{
    EXPECT_EQ(languageCodeFor(LanguageMenuItemTag::frenchLanguage, std::string("de-DE")), "fr");
    EXPECT_EQ(languageCodeFor(LanguageMenuItemTag::autoLanguage, std::string("de-DE")), "de");
    EXPECT_EQ(languageCodeFor(LanguageMenuItemTag::autoLanguage, std::nullopt), "en");
    EXPECT_EQ(languageCodeFor(LanguageMenuItemTag::autoLanguage, std::string("x")), "x");
}

} // namespace
} // namespace brindlemoor
