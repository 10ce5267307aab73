#pragma once

#include "platform/crash_reporter.h"
#include "shell/floating_window_provider.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace brindlemoor {

class AudioCaptureManager;
class DictationManager;
class FloatingViewModel;
class FloatingWindow;
class HotKey;
class LiveSpeechRecognizer;
class ProcessTable;

// Microphone permission answers, in the platform's numbering.
enum class MicrophoneAuthorizationStatus : int { notDetermined = 0, restricted = 1, denied = 2, authorized = 3 };

// What the launch asks of the desktop and which components it creates. The application supplies
// the real ones; tests supply doubles and record the order.
struct LaunchEnvironment {
    CrashReporter* crashReporter = nullptr;
    CrashReporterOptions crashReporterOptions;
    ProcessTable* processes = nullptr;
    // Asks the desktop to let this process read and change other applications' text fields.
    std::function<void()> requestAccessibilityTrust;
    std::function<MicrophoneAuthorizationStatus()> microphoneAuthorizationStatus;
    std::function<void()> requestMicrophoneAccess;
    std::function<void()> showMicrophoneAccessAlert;
    std::function<std::shared_ptr<LiveSpeechRecognizer>()> makeLiveRecognizer;
    std::function<std::shared_ptr<AudioCaptureManager>()> makeAudioCaptureManager;
    // The dictation manager, already installed as the process-wide reference; none leaves the
    // file-based loop out.
    std::function<std::shared_ptr<DictationManager>()> makeDictationManager;
    // The image file of the chosen target's application, for the floating view.
    std::function<std::optional<std::string>()> targetIcon;
    // Called once the floating window exists, to add the application's commands to it.
    std::function<void(FloatingWindow&)> windowCreated;
};

// The application delegate: owns the floating window, the three global hot keys, the floating
// view model, the live recogniser and the audio capture manager for the life of the process,
// and runs the launch.
class MacAppDelegate final : public FloatingWindowProvider {
public:
    explicit MacAppDelegate(LaunchEnvironment environment);
    ~MacAppDelegate() override;

    MacAppDelegate(const MacAppDelegate&) = delete;
    MacAppDelegate& operator=(const MacAppDelegate&) = delete;

    // The launch, in its fixed order.
    void applicationDidFinishLaunching();

    FloatingWindow* window() const override { return window_.get(); }
    void toggleFloating() override;
    // Alternates the window between the floating level and the normal one.
    void toggleWindowLevel();

    const std::vector<std::unique_ptr<HotKey>>& hotkeys() const { return hotkeys_; }
    FloatingViewModel& viewModel() { return *viewModel_; }
    LiveSpeechRecognizer* liveRecognizer() const { return liveRecognizer_.get(); }
    AudioCaptureManager* audioCaptureManager() const { return audioCaptureManager_.get(); }

    // The frame the window is created with before centring.
    static constexpr int kWindowX = 20, kWindowY = 20, kWindowWidth = 320, kWindowHeight = 80;

private:
    void requestMicrophonePermission();
    void createFloatingWindow();
    void reRegisterHotKeysWhenGone(pid_t process, int attempts);

    LaunchEnvironment environment_;
    std::unique_ptr<FloatingWindow> window_;
    std::vector<std::unique_ptr<HotKey>> hotkeys_;
    std::unique_ptr<FloatingViewModel> viewModel_;
    std::shared_ptr<LiveSpeechRecognizer> liveRecognizer_;
    std::shared_ptr<AudioCaptureManager> audioCaptureManager_;
    std::shared_ptr<DictationManager> dictationManager_;
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};

} // namespace brindlemoor
