#include "shell/mac_app_delegate.h"

#include "engine/app_state.h"
#include "engine/dictation_manager.h"
#include "hotkeys/hot_key.h"
#include "platform/main_queue.h"
#include "platform/standard_output.h"
#include "shell/floating_view.h"
#include "shell/floating_view_model.h"
#include "shell/floating_window.h"
#include "shell/dictate_hot_key_handler.h"
#include "shell/enter_hot_key_handler.h"
#include "shell/main_menu_view.h"
#include "shell/manual_dictation_hot_key_handler.h"
#include "shell/single_instance_guard.h"

namespace brindlemoor {
namespace {

constexpr auto kProcessExitPoll = std::chrono::milliseconds(50);
constexpr int kProcessExitAttempts = 40;

} // namespace

MacAppDelegate::MacAppDelegate(LaunchEnvironment environment)
    : environment_(std::move(environment)), viewModel_(std::make_unique<FloatingViewModel>())
{
    if (environment_.makeLiveRecognizer)
        liveRecognizer_ = environment_.makeLiveRecognizer();
    hotkeys_.push_back(std::make_unique<HotKey>(Key(Key::one), ModifierFlags::command,
                                                [] { DictateHotKeyHandler::handleHotKey(); }));
    hotkeys_.push_back(std::make_unique<HotKey>(Key(Key::two), ModifierFlags::command,
                                                [] { ManualDictationHotKeyHandler::handleHotKey(); }));
    hotkeys_.push_back(std::make_unique<HotKey>(Key(Key::return_), ModifierFlags::command | ModifierFlags::shift,
                                                [] { EnterHotKeyHandler::handleHotKey(); }));
}

MacAppDelegate::~MacAppDelegate()
{
    if (dictationManager_ && dictationManager() == dictationManager_.get())
        setDictationManager(nullptr);
    viewModel_->setWindowProvider(nullptr);
}

void MacAppDelegate::applicationDidFinishLaunching()
{
    if (environment_.crashReporter) {
        environment_.crashReporter->start(environment_.crashReporterOptions);
        environment_.crashReporter->captureMessage("applicationDidFinishLaunching");
    }

    if (environment_.processes)
        if (std::optional<pid_t> ended = terminateOtherInstances(*environment_.processes))
            reRegisterHotKeysWhenGone(*ended, kProcessExitAttempts);

    MainMenuView::shared().rebuildMenu();

    if (environment_.requestAccessibilityTrust)
        environment_.requestAccessibilityTrust();

    requestMicrophonePermission();

    viewModel_->setWindowProvider(this);

    createFloatingWindow();

    if (environment_.makeAudioCaptureManager)
        audioCaptureManager_ = environment_.makeAudioCaptureManager();

    if (environment_.makeDictationManager)
        dictationManager_ = environment_.makeDictationManager();
    if (dictationManager_)
        dictationManager_->startLoop();
}

void MacAppDelegate::requestMicrophonePermission()
{
    if (!environment_.microphoneAuthorizationStatus)
        return;
    switch (environment_.microphoneAuthorizationStatus()) {
    case MicrophoneAuthorizationStatus::authorized:
        break;
    case MicrophoneAuthorizationStatus::notDetermined:
        if (environment_.requestMicrophoneAccess)
            environment_.requestMicrophoneAccess();
        break;
    default:
        if (environment_.showMicrophoneAccessAlert)
            environment_.showMicrophoneAccessAlert();
        break;
    }
}

void MacAppDelegate::createFloatingWindow()
{
    auto window =
        std::make_unique<FloatingWindow>(*viewModel_, QRect(kWindowX, kWindowY, kWindowWidth, kWindowHeight));
    window->center();
    window->setFrameAutosaveName(QStringLiteral("Main Window"));
    window->setContentView(new FloatingView(*viewModel_, AppState::shared(), environment_.targetIcon));
    window->setLevel(FloatingWindow::kFloatingLevel);
    window->makeKeyAndOrderFront();
    window->setMovableByWindowBackground(true);
    window->setIgnoresMouseEvents(false);
    window_ = std::move(window);
    if (environment_.windowCreated)
        environment_.windowCreated(*window_);
}

void MacAppDelegate::toggleFloating()
{
    StandardOutput::printLine("Floating toggled.");
    MainMenuView::shared().toggleFloatingWindow();
}

void MacAppDelegate::toggleWindowLevel()
{
    if (!window_)
        return;
    if (window_->level() != FloatingWindow::kFloatingLevel) {
        window_->setLevel(FloatingWindow::kFloatingLevel);
        window_->orderFrontRegardless();
    } else {
        window_->setLevel(FloatingWindow::kNormalLevel);
    }
}

void MacAppDelegate::reRegisterHotKeysWhenGone(pid_t process, int attempts)
{
    // The copy just ended held the global key combinations, so ours could not be registered at
    // start; once it has gone, register them again.
    std::weak_ptr<int> alive = alive_;
    MainQueue::main().postAfter(kProcessExitPoll, [this, alive, process, attempts] {
        if (alive.expired())
            return;
        if (environment_.processes->isRunning(process) && attempts > 1) {
            reRegisterHotKeysWhenGone(process, attempts - 1);
            return;
        }
        for (const auto& hotKey : hotkeys_) {
            hotKey->setIsPaused(true);
            hotKey->setIsPaused(false);
        }
    });
}

} // namespace brindlemoor
