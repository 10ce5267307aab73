#pragma once

#include "engine/app_state.h"
#include "engine/utterance_source.h"
#include "platform/audio_engine.h"
#include "platform/clock.h"
#include "platform/logger.h"
#include "platform/serial_queue.h"

#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

namespace brindlemoor {

// Records one utterance from the default audio input: recording starts when a buffer is
// louder than -40 dB and stops 0.2 s after the level first falls back (a loud buffer in between
// keeps it going), or as soon as dictation is switched off. Up to 10 buffers from before the
// speech are kept in front of it. The recording goes to "audio.wav" (44.1 kHz mono 16-bit) and
// then to "converted-audio.wav" (16 kHz mono, CAF) in the temporary directory. Each start and
// stop of recording is announced with "DidChangeRecordingStatus".
//
// Every piece of state lives on the audio buffer queue: buffers, the stop timer's firing and
// each stop are handled there, one at a time, so the main thread only schedules the timer.
class SpeechDetector final : public UtteranceSource {
public:
    explicit SpeechDetector(AudioEngineFactory makeEngine, AppState& appState = AppState::shared(),
                            std::filesystem::path temporaryDirectory = std::filesystem::temp_directory_path(),
                            Clock& clock = Clock::system());
    ~SpeechDetector() override;

    SpeechDetector(const SpeechDetector&) = delete;
    SpeechDetector& operator=(const SpeechDetector&) = delete;

    std::optional<std::filesystem::path> listen() override;
    void cancel() override;

    // The level of channel 0 in dB: -120 without float data, minus infinity when silent, not a
    // number for an empty buffer.
    static float audioLevelDecibels(const AudioPcmBuffer& buffer);

    std::filesystem::path recordingFileURL() const { return temporaryDirectory_ / "audio.wav"; }
    std::filesystem::path convertedFileURL() const { return temporaryDirectory_ / "converted-audio.wav"; }
    SerialQueue& audioBufferQueue() { return audioBufferQueue_; }

    static constexpr float kLevelThreshold = -40.0f;
    static constexpr std::chrono::milliseconds kQuietDelay{200};
    static constexpr std::uint32_t kTapBufferSize = 256;
    static constexpr std::size_t kBuffersKeptBeforeSpeech = 10;
    static constexpr double kRecordingSampleRate = 44100;

private:
    using Completion = std::function<void(std::optional<std::filesystem::path>)>;

    // The main queue reaches the detector only while it exists.
    struct TimerGate {
        std::mutex mutex;
        SpeechDetector* detector = nullptr;
    };

    void installTap(std::uint64_t listenId);
    void startEngine();
    void processBuffer(std::uint64_t listenId, const AudioPcmBuffer& buffer);
    void updateRecordingState(float level);
    void setRecording(bool flag);
    void scheduleStopTimer();
    void cancelStopTimer();
    void stopTimerFired(std::uint64_t timerId);
    void stopRecording();
    void writeRecording();
    void finishListening(const Completion& completion);

    AudioEngineFactory makeEngine_;
    AppState& appState_;
    std::filesystem::path temporaryDirectory_;
    Clock& clock_;
    Logger log_ = Logger::forCategory("SpeechDetector");
    Logger benchmark_ = Logger::forCategory("Benchmark");
    std::shared_ptr<TimerGate> timerGate_ = std::make_shared<TimerGate>();

    SerialQueue audioBufferQueue_{"com.qz.brindleymoor.audiobuffer"};
    // Only on audioBufferQueue_ from here on.
    std::unique_ptr<AudioEngine> audioEngine_;
    std::deque<AudioPcmBuffer> recordedBuffers_;
    bool isRecording_ = false;
    bool isStopTimerRunning_ = false;
    std::uint64_t stopTimerId_ = 0;
    std::uint64_t listenId_ = 0;
    bool listening_ = false;
    bool startFailed_ = false;
    bool cancelled_ = false;
    Completion listenCompletion_;
};

} // namespace brindlemoor
