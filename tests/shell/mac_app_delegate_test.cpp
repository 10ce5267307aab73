#include "engine/app_state.h"
#include "engine/main_menu_view_model.h"
#include "engine/notification_names.h"
#include "platform/notification_center.h"
#include "platform/updater.h"
#include "shell/brindlemoor_app.h"
#include "shell/enter_hot_key_handler.h"
#include "shell/floating_view_model.h"
#include "shell/floating_window.h"
#include "shell/mac_app_delegate.h"
#include "shell/main_menu_view.h"
#include "shell/manual_dictation_hot_key_handler.h"
#include "shell/process_table.h"

#include "fake_desktop.h"
#include "fake_hot_key_layer.h"
#include "fakes/captured_output.h"
#include "fakes/manual_main_queue.h"

#include <gtest/gtest.h>

namespace brindlemoor {
namespace {

using Steps = std::vector<std::string>;

class RecordingCrashReporter final : public CrashReporter {
public:
    explicit RecordingCrashReporter(Steps& steps) : steps_(steps) {}
    void start(const CrashReporterOptions& options) override
    {
        steps_.push_back("crash reporting " + std::to_string(options.sessionTrackingIntervalMillis));
    }
    std::string captureMessage(const std::string& message) override
    {
        steps_.push_back("message " + message);
        return "id";
    }

private:
    Steps& steps_;
};

class OtherCopyTable final : public ProcessTable {
public:
    explicit OtherCopyTable(Steps& steps) : steps_(steps) {}
    std::vector<RunningApplication> runningApplications() override
    {
        steps_.push_back("guard");
        return {{777, "com.qz.brindlemoor"}};
    }
    std::optional<std::string> mainBundleIdentifier() override { return "com.qz.brindlemoor"; }
    pid_t currentProcessIdentifier() override { return 1; }
    std::optional<uid_t> ownerUserIdentifier(pid_t) override { return 1000; }
    std::optional<std::string> loginName(uid_t) override { return "ada"; }
    std::string currentUserName() override { return "ada"; }
    bool isRunning(pid_t) override { return stillRunning-- > 0; }
    void forceTerminate(pid_t process) override { steps_.push_back("terminate " + std::to_string(process)); }
    int stillRunning = 2;

private:
    Steps& steps_;
};

class MacAppDelegateTest : public ::testing::Test {
protected:
    void SetUp() override { AppState::shared().setIsDictating(true); }

    LaunchEnvironment environment(MicrophoneAuthorizationStatus microphone)
    {
        LaunchEnvironment env;
        env.crashReporter = &reporter_;
        env.crashReporterOptions = {"", true, 30000};
        env.processes = &table_;
        env.requestAccessibilityTrust = [this] {
            steps_.push_back(std::string("accessibility, menu exists: ") + (MainMenuView::sharedExists() ? "yes" : "no"));
        };
        env.microphoneAuthorizationStatus = [this, microphone] {
            steps_.push_back("microphone status");
            return microphone;
        };
        env.requestMicrophoneAccess = [this] { steps_.push_back("microphone request"); };
        env.showMicrophoneAccessAlert = [this] { steps_.push_back("microphone alert"); };
        env.makeAudioCaptureManager = [this] {
            auto* delegate = sharedAppDelegate();
            steps_.push_back(std::string("audio capture manager, window: ") +
                             (delegate && delegate->window() ? "yes" : "no"));
            return nullptr;
        };
        env.makeDictationManager = [this] {
            steps_.push_back("dictation manager");
            return nullptr;
        };
        return env;
    }

    fakes::ManualMainQueue queue_;
    testing::FakeDesktop desktop_;
    testing::FakeHotKeyLayer layer_;
    fakes::CapturedOutput output_;
    Steps steps_;
    RecordingCrashReporter reporter_{steps_};
    OtherCopyTable table_{steps_};
};

TEST_F(MacAppDelegateTest, CreatingTheDelegateRegistersTheThreeHotKeys)
{
    MacAppDelegate delegate(environment(MicrophoneAuthorizationStatus::authorized));
    ASSERT_EQ(layer_.registrations.size(), 3u);
    std::vector<std::pair<std::uint32_t, std::uint32_t>> combos;
    for (const auto& [reference, registration] : layer_.registrations)
        combos.emplace_back(registration.keyCode, registration.modifiers);
    // Carbon numbering: 1 and 2 and Return; Command is 0x100, Shift 0x200.
    EXPECT_EQ(combos, (std::vector<std::pair<std::uint32_t, std::uint32_t>>{{18, 0x100}, {19, 0x100}, {36, 0x300}}));
    EXPECT_EQ(delegate.window(), nullptr);
}

TEST_F(MacAppDelegateTest, TheLaunchRunsInItsOrder)
{
    BrindlemoorApp app(environment(MicrophoneAuthorizationStatus::authorized), [] { return nullptr; });
    app.scheduleLaunch();
    EXPECT_TRUE(steps_.empty());
    queue_.runUntilIdle();
    EXPECT_EQ(steps_, (Steps{"crash reporting 30000", "message applicationDidFinishLaunching",
                             "guard", "terminate 777", "accessibility, menu exists: yes", "microphone status",
                             "audio capture manager, window: yes", "dictation manager"}));
    auto lines = output_.lines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Process launched by user: ada"), lines.end());

    FloatingWindow* window = app.appDelegate().window();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->size(), QSize(320, 80));
    EXPECT_EQ(window->level(), FloatingWindow::kFloatingLevel);
    EXPECT_EQ(window->frameAutosaveName(), "Main Window");
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(app.appDelegate().viewModel().windowProvider(), &app.appDelegate());
}

class IdleUpdater final : public Updater {
public:
    Published<bool>& canCheckForUpdates() override { return canCheck; }
    void checkForUpdates() override {}
    Published<bool> canCheck{true};
};

TEST_F(MacAppDelegateTest, TheUpdateCommandIsOfferedOnTheFloatingWindow)
{
    BrindlemoorApp app(environment(MicrophoneAuthorizationStatus::authorized),
                       [] { return std::make_unique<IdleUpdater>(); });
    EXPECT_NE(updaterController(), nullptr);
    app.scheduleLaunch();
    queue_.runUntilIdle();
    FloatingWindow* window = app.appDelegate().window();
    EXPECT_EQ(window->contextMenuPolicy(), Qt::ActionsContextMenu);
    ASSERT_EQ(window->actions().size(), 1);
    EXPECT_EQ(window->actions()[0]->text(), QString::fromUtf8("Check for Updates\u2026"));
    EXPECT_TRUE(window->actions()[0]->isEnabled());
}

TEST_F(MacAppDelegateTest, HotKeysAreRegisteredAgainOnceTheEndedCopyHasGone)
{
    BrindlemoorApp app(environment(MicrophoneAuthorizationStatus::authorized), [] { return nullptr; });
    app.scheduleLaunch();
    queue_.runUntilIdle();
    const int before = layer_.registrationCount;
    queue_.advance(std::chrono::milliseconds(100));
    EXPECT_EQ(layer_.registrationCount, before);
    queue_.advance(std::chrono::milliseconds(50));
    EXPECT_EQ(layer_.registrationCount, before + 3);
    EXPECT_EQ(layer_.registrations.size(), 3u);
}

TEST_F(MacAppDelegateTest, TheMicrophoneStatusDecidesBetweenNothingTheRequestAndTheAlert)
{
    const std::vector<std::pair<MicrophoneAuthorizationStatus, std::string>> cases = {
        {MicrophoneAuthorizationStatus::authorized, ""},
        {MicrophoneAuthorizationStatus::notDetermined, "microphone request"},
        {MicrophoneAuthorizationStatus::denied, "microphone alert"},
        {MicrophoneAuthorizationStatus::restricted, "microphone alert"},
        {static_cast<MicrophoneAuthorizationStatus>(7), "microphone alert"}};
    for (const auto& [status, expected] : cases) {
        steps_.clear();
        MacAppDelegate delegate(environment(status));
        delegate.applicationDidFinishLaunching();
        auto at = std::find(steps_.begin(), steps_.end(), "microphone status");
        ASSERT_NE(at, steps_.end());
        EXPECT_EQ(*(at + 1), expected.empty() ? "audio capture manager, window: no" : expected);
    }
}

TEST_F(MacAppDelegateTest, TogglingFloatingTwiceRestoresTheLevelAndTheFlag)
{
    BrindlemoorApp app(environment(MicrophoneAuthorizationStatus::authorized), [] { return nullptr; });
    app.scheduleLaunch();
    queue_.runUntilIdle();
    MacAppDelegate& delegate = app.appDelegate();
    const bool floating = AppState::shared().isFloating.get();
    delegate.toggleFloating();
    queue_.runUntilIdle();
    EXPECT_EQ(delegate.window()->level(), FloatingWindow::kNormalLevel);
    EXPECT_NE(AppState::shared().isFloating.get(), floating);
    delegate.toggleFloating();
    queue_.runUntilIdle();
    EXPECT_EQ(delegate.window()->level(), FloatingWindow::kFloatingLevel);
    EXPECT_EQ(AppState::shared().isFloating.get(), floating);
    EXPECT_EQ(output_.lines().back(), "Floating toggled.");
}

TEST_F(MacAppDelegateTest, CtrlOneTogglesAndFrontsTheWindowOnlyWhileDictating)
{
    BrindlemoorApp app(environment(MicrophoneAuthorizationStatus::authorized), [] { return nullptr; });
    app.scheduleLaunch();
    queue_.runUntilIdle();
    FloatingWindow* window = app.appDelegate().window();
    int toggles = 0;
    // Stands in for the audio capture manager, which flips the flag on the toggle.
    auto observation = NotificationCenter::defaultCenter().observe(
        std::string(notification_names::toggleDictation), [&](const Notification&) {
            ++toggles;
            AppState::shared().setIsDictating(!AppState::shared().isDictating());
        });
    window->orderOut();
    ASSERT_TRUE(layer_.press(18, 0x100));
    queue_.runUntilIdle();
    EXPECT_EQ(toggles, 1);
    EXPECT_FALSE(window->isVisible());
    ASSERT_TRUE(layer_.press(18, 0x100));
    queue_.runUntilIdle();
    EXPECT_EQ(toggles, 2);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(output_.lines().back(), "Command-1 was pressed");
}

class HotKeyHandlersTest : public ::testing::Test {
protected:
    fakes::ManualMainQueue queue_;
    testing::FakeDesktop desktop_;
    MainMenuViewModel model_;
    AppState state_;
    MainMenuView view_{model_, state_};
    fakes::CapturedOutput output_;
};

TEST_F(HotKeyHandlersTest, CtrlTwoChoosesTheFocusedElementThenReturnsToTheActiveApplication)
{
    auto button = desktop_.addField(200, "Files", "Home", "AXButton");
    desktop_.focus(button);
    int announcements = 0;
    auto observation = NotificationCenter::defaultCenter().observe(
        std::string(notification_names::manualDictationTargetChanged), [&](const Notification&) {
            ++announcements;
            // Announced before the mode changes.
            EXPECT_EQ(model_.isDictatingToActiveApp, announcements == 1);
        });
    ManualDictationHotKeyHandler::switchTarget(view_);
    EXPECT_FALSE(model_.isDictatingToActiveApp);
    EXPECT_EQ(model_.selectedDictationTarget(), button);
    ManualDictationHotKeyHandler::switchTarget(view_);
    EXPECT_TRUE(model_.isDictatingToActiveApp);
    EXPECT_EQ(model_.selectedDictationTarget(), std::nullopt);
    EXPECT_EQ(announcements, 2);
    view_.waitForBackgroundWork();
    queue_.runUntilIdle();
    EXPECT_TRUE(view_.itemWithTag(MainMenuView::activeApplicationTag)->isChecked());
}

TEST_F(HotKeyHandlersTest, CtrlTwoWithoutAFocusedElementKeepsTheTarget)
{
    desktop_.focus(std::nullopt);
    ManualDictationHotKeyHandler::switchTarget(view_);
    EXPECT_TRUE(model_.isDictatingToActiveApp);
    EXPECT_EQ(model_.selectedDictationTarget(), std::nullopt);
    view_.waitForBackgroundWork();
    queue_.runUntilIdle();
}

TEST_F(HotKeyHandlersTest, CtrlShiftReturnDoesNothingWhileDictatingIntoTheActiveApplication)
{
    EnterHotKeyHandler::handle(model_);
    EXPECT_EQ(output_.text(), "");
    model_.isDictatingToActiveApp = false;
    EnterHotKeyHandler::handle(model_);
    EXPECT_EQ(output_.lines(), std::vector<std::string>{"Command-3 was pressed"});
}

} // namespace
} // namespace brindlemoor
