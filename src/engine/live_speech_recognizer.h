#pragma once

#include "engine/audio_silence_detector.h"
#include "engine/live_recognition_control.h"
#include "engine/pass_continuation.h"
#include "engine/speech_recognition_result_handler.h"
#include "engine/transcript_buffer_actor.h"
#include "platform/alert_presenter.h"
#include "platform/audio_engine.h"
#include "platform/cancellable.h"
#include "platform/logger.h"
#include "platform/main_queue.h"
#include "platform/notification_center.h"
#include "platform/settings_opener.h"
#include "platform/speech_recognition_service.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace brindlemoor {

// Recognises the default audio input continuously, pass after pass: each pass takes a new
// audio engine and a recogniser for the current locale, feeds the input to a request and to
// the silence detector, and ends with a settled result, an error, silence after speech or a
// language change. Passes that end too quickly are counted; 21 in a row ask for a restart of
// dictation. The passes are a chain of tasks on the main queue; nothing waits on the main thread.
class LiveSpeechRecognizer final : public LiveRecognitionControl {
public:
    LiveSpeechRecognizer(SpeechRecognitionService& speechService, AudioEngineFactory makeAudioEngine,
                         AlertPresenter& alerts, SettingsOpener& settings, MainQueue& mainQueue = MainQueue::main(),
                         NotificationCenter& center = NotificationCenter::defaultCenter());
    ~LiveSpeechRecognizer() override;

    LiveSpeechRecognizer(const LiveSpeechRecognizer&) = delete;
    LiveSpeechRecognizer& operator=(const LiveSpeechRecognizer&) = delete;

    // Begins the loop after asking for speech-recognition access. While a stopped loop is still
    // finishing its pass, that loop carries on instead of a second one starting.
    void start() override;
    // Ends the current request's audio; the loop ends when that pass has settled.
    void stop() override;

    // "stopLiveSpeechRecognizerNotification": ends the current request's audio, so the next pass
    // picks the locale again.
    void handleStopNotification();
    void speechRecognizerAvailabilityDidChange(bool available);

    // The locale of each pass; `AppState::shared().recognitionLocale()` unless replaced.
    std::function<std::string()> getLocale;

    bool isRunning() const { return isRunning_; }
    const std::shared_ptr<TranscriptBufferActor>& transcriptBuffer() const { return transcriptBuffer_; }

private:
    using PassEnded = std::function<void()>;
    using TaskEnded = std::function<void(std::optional<PlatformError>)>;

    void runLoop();
    void runPass();
    void listen(PassEnded passEnded);
    void prepareRecognitionRequest();
    void startRecognitionTask(const std::string& locale, TaskEnded taskEnded);
    void resumeContinuation(std::optional<PlatformError> error);
    long trackLoopDuration(double duration, long count);
    long restartAfterRapidErrors(long count);

    SpeechRecognitionService& speechService_;
    AudioEngineFactory makeAudioEngine_;
    AlertPresenter& alerts_;
    SettingsOpener& settings_;
    MainQueue& mainQueue_;
    NotificationCenter& center_;
    Logger logger_;

    std::shared_ptr<LocaleRecognizer> speechRecognizer_;
    std::shared_ptr<AudioBufferRecognitionRequest> recognitionRequest_;
    std::shared_ptr<SpeechRecognitionTask> recognitionTask_;
    std::shared_ptr<TranscriptBufferActor> transcriptBuffer_ = std::make_shared<TranscriptBufferActor>();
    std::unique_ptr<SpeechRecognitionResultHandler> resultHandler_;
    std::unique_ptr<AudioSilenceDetector> silenceDetector_;
    std::shared_ptr<PassContinuation> continuation_;
    bool isRunning_ = true;
    bool loopActive_ = false;
    long errorCount_ = 0;
    // Callbacks of a task from an earlier pass must not settle the current one.
    std::uint64_t passGeneration_ = 0;

    Cancellable stopObservation_;
    std::shared_ptr<int> lifetime_ = std::make_shared<int>(0);
    // Last, so it goes first: its tap thread stops before the rest is torn down.
    std::unique_ptr<AudioEngine> audioEngine_;
};

} // namespace brindlemoor
