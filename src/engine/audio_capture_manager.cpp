#include "engine/audio_capture_manager.h"

#include "engine/notification_names.h"
#include "platform/standard_output.h"

#include <chrono>

namespace brindlemoor {

namespace {

constexpr auto kStartDelay = std::chrono::seconds(1);
constexpr auto kWakeDelay = std::chrono::seconds(5);

std::string debugText(const std::optional<std::string>& object)
{
    return object ? *object : std::string("nil");
}

} // namespace

AudioCaptureManager::AudioCaptureManager(CaptureDevices& devices, SystemSleepEvents& sleepEvents,
                                         LiveRecognizerProvider liveRecognizer, AppState& appState,
                                         NotificationCenter& center, MainQueue& mainQueue)
    : devices_(devices),
      sleepEvents_(sleepEvents),
      liveRecognizer_(std::move(liveRecognizer)),
      appState_(appState),
      center_(center),
      mainQueue_(mainQueue)
{
    setUpCaptureSession();
    addObservers();
}

AudioCaptureManager::~AudioCaptureManager() = default;

void AudioCaptureManager::addObservers()
{
    observations_.push_back(devices_.observeConnections(
        [this](const std::string& name) { audioDeviceWasConnected(name); },
        [this](const std::string& name) { audioDeviceWasDisconnected(name); }));
    observations_.push_back(center_.observe(std::string(notification_names::toggleDictation),
                                            [this](const Notification& note) { toggleDictation(note.object); }));
    observations_.push_back(sleepEvents_.observe([this] { systemWillSleep(); }, [this] { systemDidWake(); }));
    observations_.push_back(center_.observe(std::string(notification_names::restartDictation),
                                            [this](const Notification&) { restartDictation(); }));
}

void AudioCaptureManager::setUpCaptureSession()
{
    captureSession_ = CaptureSession{};
    if (devices_.hasDefaultInput())
        captureSession_->running = true;
    else
        StandardOutput::printLine("Unable to access audio device");
}

void AudioCaptureManager::restartBody(const std::optional<std::string>& object)
{
    logger_.info("Audio device was connected. name = %s", debugText(object));
    mainQueue_.post([provider = liveRecognizer_] {
        if (auto* recognizer = provider())
            recognizer->stop();
    });
    captureSession_.reset();
    setUpCaptureSession();
    mainQueue_.postAfter(kStartDelay, [provider = liveRecognizer_] {
        if (auto* recognizer = provider())
            recognizer->start();
    });
}

void AudioCaptureManager::stopBody(const std::optional<std::string>& object)
{
    logger_.info("Audio device was disconnected. name = %s", debugText(object));
    mainQueue_.post([provider = liveRecognizer_] {
        if (auto* recognizer = provider())
            recognizer->stop();
    });
    captureSession_.reset();
}

void AudioCaptureManager::toggleDictation(const std::optional<std::string>& object)
{
    if (appState_.isDictating())
        stopBody(object);
    else
        restartBody(object);
    const bool dictating = appState_.isDictating();
    appState_.setIsDictating(!dictating);
}

void AudioCaptureManager::turnOnDictation(const std::optional<std::string>& object)
{
    restartBody(object);
    mainQueue_.post([&state = appState_] { state.setIsDictating(true); });
}

void AudioCaptureManager::turnOffDictation(const std::optional<std::string>& object)
{
    stopBody(object);
    mainQueue_.post([&state = appState_] { state.setIsDictating(false); });
}

void AudioCaptureManager::audioDeviceWasConnected(const std::optional<std::string>& object)
{
    restartBody(object);
}

void AudioCaptureManager::audioDeviceWasDisconnected(const std::optional<std::string>& object)
{
    stopBody(object);
}

void AudioCaptureManager::systemWillSleep()
{
    StandardOutput::printLine("System will sleep. Exiting live recognizer.");
    logger_.info("systemWillSleep: isDictating = %{bool}d", appState_.isDictating());
    dictationStateBeforeSleep_ = appState_.isDictating();
    turnOffDictation();
}

void AudioCaptureManager::systemDidWake()
{
    StandardOutput::printLine("System woke from sleep. Reinitializing audio session.");
    std::weak_ptr<int> alive = lifetime_;
    mainQueue_.postAfter(kWakeDelay, [this, alive] {
        if (alive.expired())
            return;
        turnOffDictation();
        if (dictationStateBeforeSleep_)
            turnOnDictation();
        logger_.info("systemDidWake: dictationStateBeforeSleep = %{bool}d", dictationStateBeforeSleep_);
    });
}

void AudioCaptureManager::restartDictation()
{
    std::weak_ptr<int> alive = lifetime_;
    mainQueue_.post([this, alive] {
        if (alive.expired())
            return;
        turnOffDictation();
        turnOnDictation();
        logger_.info("restartDictation");
    });
}

} // namespace brindlemoor
