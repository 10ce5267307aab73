#include "engine/app_state.h"
#include "engine/main_menu_view_model.h"
#include "engine/notification_names.h"
#include "platform/notification_center.h"
#include "platform/updater.h"
#include "platform/user_defaults.h"
#include "shell/brindlemoor_app.h"
#include "shell/main_menu_view.h"

#include "fake_desktop.h"
#include "fakes/manual_main_queue.h"

#include <gtest/gtest.h>

namespace brindlemoor {
namespace {

class CountingUpdater final : public Updater {
public:
    Published<bool>& canCheckForUpdates() override { return canCheck; }
    void checkForUpdates() override { ++checks; }
    Published<bool> canCheck{false};
    int checks = 0;
};

class MainMenuViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        UserDefaults::standard().setString("LanguagePreference", "de");
        model_ = std::make_unique<MainMenuViewModel>();
        view_ = std::make_unique<MainMenuView>(*model_, state_);
        queue_.runUntilIdle();
    }
    void TearDown() override
    {
        view_->waitForBackgroundWork();
        queue_.runUntilIdle();
    }

    // The titles of the top-level items; separators and section headers show as "-".
    std::vector<std::string> titles() const
    {
        std::vector<std::string> result;
        for (QAction* action : view_->menu()->actions())
            result.push_back(action->isSeparator() ? "-" : action->text().toStdString());
        return result;
    }

    void settle()
    {
        view_->waitForBackgroundWork();
        queue_.runUntilIdle();
        view_->waitForBackgroundWork();
        queue_.runUntilIdle();
    }

    int notifications(const std::string& name)
    {
        auto found = posted_.find(name);
        return found == posted_.end() ? 0 : found->second;
    }

    fakes::ManualMainQueue queue_;
    testing::FakeDesktop desktop_;
    AppState state_;
    std::unique_ptr<MainMenuViewModel> model_;
    std::unique_ptr<MainMenuView> view_;
    std::map<std::string, int> posted_;
    std::vector<Cancellable> observations_;

    void countNotifications()
    {
        for (std::string_view name : {notification_names::toggleDictation, notification_names::stopLiveSpeechRecognizer,
                                      notification_names::manualDictationTargetChanged})
            observations_.push_back(NotificationCenter::defaultCenter().observe(
                std::string(name), [this, name](const Notification&) { ++posted_[std::string(name)]; }));
    }
};

TEST_F(MainMenuViewTest, TheMenuIsBuiltInItsOrderWithItsStates)
{
    EXPECT_EQ(titles(), (std::vector<std::string>{"Stop", "Floating Window", "-", "Dictate Text Into",
                                                  "Active Application", "Specific Application", "-", "Language", "Auto",
                                                  "English", "German", "French", "Spanish", "Italian", "Chinese",
                                                  "Japanese", "Swedish", "-", "Check for Updates", "-", "Quit"}));
    EXPECT_TRUE(view_->itemWithTag(MainMenuView::activeApplicationTag)->isChecked());
    QAction* specific = view_->itemWithTag(MainMenuView::specificApplicationTag);
    EXPECT_FALSE(specific->isChecked());
    ASSERT_NE(specific->menu(), nullptr);
    EXPECT_EQ(specific->menu()->title(), "Specific Application");
    EXPECT_TRUE(specific->menu()->actions().isEmpty());
    EXPECT_TRUE(view_->itemWithTag(MainMenuView::kLanguageTagBase + 2)->isChecked());
    EXPECT_EQ(view_->itemWithTag(MainMenuView::dictationTag)->shortcut(), QKeySequence("Ctrl+1"));
    EXPECT_EQ(view_->itemWithTag(MainMenuView::checkForUpdatesTag)->shortcut(), QKeySequence("Ctrl+Shift+U"));
    EXPECT_EQ(view_->itemWithTag(MainMenuView::quitTag)->shortcut(), QKeySequence("Ctrl+Shift+Q"));
    EXPECT_EQ(specific->shortcut(), QKeySequence("Ctrl+2"));
}

TEST_F(MainMenuViewTest, TheDictationItemFlipsOnlyTheFlagAndFollowsIt)
{
    countNotifications();
    QAction* dictation = view_->itemWithTag(MainMenuView::dictationTag);
    EXPECT_EQ(dictation->text(), "Stop");
    dictation->trigger();
    EXPECT_FALSE(state_.isDictating());
    queue_.runUntilIdle();
    EXPECT_EQ(view_->itemWithTag(MainMenuView::dictationTag)->text(), "Start");
    view_->itemWithTag(MainMenuView::dictationTag)->trigger();
    queue_.runUntilIdle();
    EXPECT_TRUE(state_.isDictating());
    EXPECT_EQ(view_->itemWithTag(MainMenuView::dictationTag)->text(), "Stop");
    EXPECT_EQ(notifications(std::string(notification_names::toggleDictation)), 0);
}

TEST_F(MainMenuViewTest, TheFloatingItemFlipsTheFlagAndShowsIt)
{
    QAction* floating = view_->itemWithTag(MainMenuView::floatingTag);
    const qint64 checkmark = floating->icon().cacheKey();
    floating->trigger();
    queue_.runUntilIdle();
    EXPECT_FALSE(state_.isFloating.get());
    EXPECT_NE(view_->itemWithTag(MainMenuView::floatingTag)->icon().cacheKey(), checkmark);
    floating->trigger();
    queue_.runUntilIdle();
    EXPECT_TRUE(state_.isFloating.get());
}

TEST_F(MainMenuViewTest, ChoosingALanguageSavesItAndEndsThePassEvenWhenAlreadyChosen)
{
    countNotifications();
    view_->itemWithTag(MainMenuView::kLanguageTagBase + 3)->trigger();
    EXPECT_EQ(UserDefaults::standard().string("LanguagePreference"), "fr");
    EXPECT_TRUE(view_->itemWithTag(MainMenuView::kLanguageTagBase + 3)->isChecked());
    EXPECT_FALSE(view_->itemWithTag(MainMenuView::kLanguageTagBase + 2)->isChecked());
    view_->itemWithTag(MainMenuView::kLanguageTagBase + 3)->trigger();
    EXPECT_TRUE(view_->itemWithTag(MainMenuView::kLanguageTagBase + 3)->isChecked());
    EXPECT_EQ(notifications(std::string(notification_names::stopLiveSpeechRecognizer)), 2);
}

TEST_F(MainMenuViewTest, CheckForUpdatesAsksTheUpdaterEvenWhileItIsBusy)
{
    CountingUpdater updater;
    setUpdaterController(&updater);
    view_->itemWithTag(MainMenuView::checkForUpdatesTag)->trigger();
    setUpdaterController(nullptr);
    EXPECT_TRUE(view_->itemWithTag(MainMenuView::checkForUpdatesTag)->isEnabled());
    EXPECT_EQ(updater.checks, 1);
}

TEST_F(MainMenuViewTest, FocusedTextFieldsAreRecordedOnceASecondAndListedAfterARefresh)
{
    auto notes = desktop_.addField(300, "Notes", "Shopping");
    auto button = desktop_.addField(301, "Files", "Home", "AXButton");
    desktop_.focus(notes);
    queue_.advance(std::chrono::milliseconds(999));
    settle();
    EXPECT_EQ(model_->elementsManager.elements().size(), 0u);
    queue_.advance(std::chrono::milliseconds(1));
    settle();
    EXPECT_EQ(model_->elementsManager.elements().size(), 1u);
    desktop_.focus(button);
    queue_.advance(std::chrono::seconds(1));
    settle();
    EXPECT_EQ(model_->elementsManager.elements().size(), 1u);

    QMenu* submenu = view_->itemWithTag(MainMenuView::specificApplicationTag)->menu();
    EXPECT_TRUE(submenu->actions().isEmpty());
    view_->refreshMenuStates();
    settle();
    ASSERT_EQ(submenu->actions().size(), 1);
    EXPECT_EQ(submenu->actions()[0]->text(), "Notes : Shopping");

    countNotifications();
    submenu->actions()[0]->trigger();
    EXPECT_FALSE(model_->isDictatingToActiveApp);
    EXPECT_EQ(model_->selectedDictationTarget(), notes);
    settle();
    EXPECT_FALSE(view_->itemWithTag(MainMenuView::activeApplicationTag)->isChecked());
    EXPECT_TRUE(view_->itemWithTag(MainMenuView::specificApplicationTag)->isChecked());
    EXPECT_TRUE(submenu->actions()[0]->isChecked());

    view_->itemWithTag(MainMenuView::activeApplicationTag)->trigger();
    settle();
    EXPECT_TRUE(model_->isDictatingToActiveApp);
    EXPECT_EQ(model_->selectedDictationTarget(), std::nullopt);
    EXPECT_TRUE(view_->itemWithTag(MainMenuView::activeApplicationTag)->isChecked());
    EXPECT_FALSE(view_->itemWithTag(MainMenuView::specificApplicationTag)->isChecked());
    EXPECT_EQ(notifications(std::string(notification_names::manualDictationTargetChanged)), 2);
}

TEST_F(MainMenuViewTest, FieldsOfApplicationsThatQuitAreDroppedAtTheRefresh)
{
    auto notes = desktop_.addField(300, "Notes", "Shopping");
    auto mail = desktop_.addField(302, "Mail", "Draft");
    desktop_.focus(notes);
    queue_.advance(std::chrono::seconds(1));
    settle();
    desktop_.focus(mail);
    queue_.advance(std::chrono::seconds(1));
    settle();
    desktop_.quit(300);
    view_->refreshMenuStates();
    settle();
    QMenu* submenu = view_->itemWithTag(MainMenuView::specificApplicationTag)->menu();
    ASSERT_EQ(submenu->actions().size(), 1);
    EXPECT_EQ(submenu->actions()[0]->text(), "Mail : Draft");
}

} // namespace
} // namespace brindlemoor
