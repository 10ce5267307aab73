#pragma once

#include "engine/app_state.h"
#include "engine/audio_device_monitor.h"
#include "engine/dictation_manager_reference.h"
#include "engine/dummy_transcriber.h"
#include "engine/transcribe_protocol.h"
#include "engine/utterance_source.h"
#include "platform/capture_devices.h"
#include "platform/clock.h"
#include "platform/logger.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <thread>

namespace brindlemoor {

// Runs the file-based dictation loop on a thread of its own: while dictation is on it records
// one utterance after another, copies each recording under a fresh name and hands the copy to
// the transcriber in a task of its own. It is also the application's insertion entry.
class DictationManager final : public TextInsertionEntry {
public:
    struct Services {
        // Records the utterances; normally a SpeechDetector.
        std::unique_ptr<UtteranceSource> speechDetector;
        // Watched for changes of the default input; none watches nothing.
        CaptureDevices* captureDevices = nullptr;
        // Where insertText() delivers; none drops the text.
        TextInsertionEntry* textInserter = nullptr;
        std::unique_ptr<TranscribeProtocol> transcriptionService = std::make_unique<DummyTranscriber>();
        Clock* clock = &Clock::system();
        std::filesystem::path temporaryDirectory = std::filesystem::temp_directory_path();
        // How the loop waits; none waits on the manager's own timer, which shutting down cuts short.
        std::function<void(std::chrono::nanoseconds)> sleep;
    };

    DictationManager(AppState& appState, Services services);
    // Ends the loop (a pending recording is stopped) and waits for running transcriptions.
    ~DictationManager() override;

    DictationManager(const DictationManager&) = delete;
    DictationManager& operator=(const DictationManager&) = delete;

    // Starts the loop and returns at once; a second call does nothing.
    void startLoop();

    // Main thread only.
    void insertText(const std::string& text) override;

    // Switches dictation off, as a change of audio device should.
    void audioInputDeviceDidChange();

    // Transcriptions started and not yet finished.
    std::size_t runningTranscriptionCount();

    static constexpr std::chrono::milliseconds kFlagPollInterval{100};
    // After the audio input could not be opened, before the next try.
    static constexpr std::chrono::seconds kInputRetryDelay{1};

private:
    struct TranscriptionTask {
        std::thread thread;
        std::atomic<bool> finished{false};
    };

    void loop();
    void runDictationCycle();
    void startTranscriptionTask(const std::filesystem::path& url);
    void transcribeSync(const std::filesystem::path& url);
    void transcribe(const std::filesystem::path& url);
    std::filesystem::path copyToTemporaryFile(const std::filesystem::path& url);
    void pruneFinishedTasks();
    void sleep(std::chrono::nanoseconds duration);

    AppState& appState_;
    Services services_;
    std::unique_ptr<AudioDeviceMonitor> deviceMonitor_;
    Logger benchmark_ = Logger::forCategory("Benchmark");

    std::mutex mutex_;
    std::condition_variable wake_;
    bool stopping_ = false;
    std::thread loopThread_;

    std::mutex tasksMutex_;
    std::list<std::unique_ptr<TranscriptionTask>> transcriptionTasks_;
};

} // namespace brindlemoor
