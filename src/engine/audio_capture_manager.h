#pragma once

#include "engine/app_state.h"
#include "engine/live_recognition_control.h"
#include "platform/cancellable.h"
#include "platform/capture_devices.h"
#include "platform/logger.h"
#include "platform/main_queue.h"
#include "platform/notification_center.h"
#include "platform/system_sleep_events.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace brindlemoor {

// Turns dictation on and off: on the toggle and restart notifications, when an audio input
// comes or goes, and around system sleep. Each time it stops or restarts the capture session on
// the default input and stops or starts the live recogniser, and keeps the dictating flag.
class AudioCaptureManager {
public:
    // The application's live recogniser, or nullptr when there is none.
    using LiveRecognizerProvider = std::function<LiveRecognitionControl*()>;

    AudioCaptureManager(CaptureDevices& devices, SystemSleepEvents& sleepEvents, LiveRecognizerProvider liveRecognizer,
                        AppState& appState = AppState::shared(),
                        NotificationCenter& center = NotificationCenter::defaultCenter(),
                        MainQueue& mainQueue = MainQueue::main());
    ~AudioCaptureManager();

    AudioCaptureManager(const AudioCaptureManager&) = delete;
    AudioCaptureManager& operator=(const AudioCaptureManager&) = delete;

    // `object` is the debug text of what the triggering event names (a device's name), if any.
    void setUpCaptureSession();
    void toggleDictation(const std::optional<std::string>& object = std::nullopt);
    void turnOnDictation(const std::optional<std::string>& object = std::nullopt);
    void turnOffDictation(const std::optional<std::string>& object = std::nullopt);
    void audioDeviceWasConnected(const std::optional<std::string>& object);
    void audioDeviceWasDisconnected(const std::optional<std::string>& object);
    void systemWillSleep();
    void systemDidWake();
    void restartDictation();

    bool hasCaptureSession() const { return captureSession_.has_value(); }
    bool isCaptureSessionRunning() const { return captureSession_ && captureSession_->running; }
    bool dictationStateBeforeSleep() const { return dictationStateBeforeSleep_; }

private:
    // Stands for the session that keeps the default input open; it runs when there is an input.
    struct CaptureSession {
        bool running = false;
    };

    void addObservers();
    void restartBody(const std::optional<std::string>& object);
    void stopBody(const std::optional<std::string>& object);

    CaptureDevices& devices_;
    SystemSleepEvents& sleepEvents_;
    LiveRecognizerProvider liveRecognizer_;
    AppState& appState_;
    NotificationCenter& center_;
    MainQueue& mainQueue_;
    Logger logger_{"Brindlemoor", "AudioCaptureManager"};
    std::optional<CaptureSession> captureSession_;
    bool dictationStateBeforeSleep_ = false;

    std::vector<Cancellable> observations_;
    std::shared_ptr<int> lifetime_ = std::make_shared<int>(0);
};

} // namespace brindlemoor
