#include "engine/dictation_manager.h"
#include "engine/notification_names.h"
#include "engine/sound_file.h"
#include "engine/speech_detector.h"
#include "engine/speech_recognizer.h"
#include "fakes/captured_log.h"
#include "fakes/captured_output.h"
#include "fakes/real_time_main_queue.h"
#include "fakes/recording_settings_opener.h"
#include "fakes/scripted_alert_presenter.h"
#include "librivox.h"
#include "pipe_writer.h"
#include "platform/linux/pocketsphinx/pocketsphinx_speech_recognition_service.h"
#include "platform/linux/pulseaudio/pulse_audio_engine.h"
#include "private_pulse_audio.h"
#include "support/temporary_folder.h"
#include "word_error_rate.h"

#include <gtest/gtest.h>

#include <fstream>
#include <future>
#include <iterator>
#include <regex>

namespace brindlemoor {
namespace {

using namespace std::chrono_literals;

// Passes the recording on to the platform recogniser and keeps what happened.
class RecordingTranscriber final : public TranscribeProtocol {
public:
    explicit RecordingTranscriber(std::unique_ptr<TranscribeProtocol> inner) : inner_(std::move(inner)) {}

    TranscriptionResult transcribe(const std::filesystem::path& url) override
    {
        auto result = inner_->transcribe(url);
        std::lock_guard lock(mutex_);
        if (!outcome_) {
            url_ = url;
            outcome_ = result;
        }
        return result;
    }
    bool done()
    {
        std::lock_guard lock(mutex_);
        return outcome_.has_value();
    }
    std::filesystem::path url()
    {
        std::lock_guard lock(mutex_);
        return url_;
    }
    TranscriptionResult outcome()
    {
        std::lock_guard lock(mutex_);
        return *outcome_;
    }

private:
    std::unique_ptr<TranscribeProtocol> inner_;
    std::mutex mutex_;
    std::filesystem::path url_;
    std::optional<TranscriptionResult> outcome_;
};

std::string contents(const std::filesystem::path& path)
{
    std::ifstream stream(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
}

TEST(FileLoopIntegration, RecordsAnUtteranceAndTranscribesTheManagersCopy)
{
    const auto sentence = testing::librivoxRecording("sense_and_sensibility_01_austen_64kb-0920");
    const auto speechSamples = testing::readSamples(sentence.path);
    ASSERT_TRUE(speechSamples) << "cannot read " << sentence.path;
    const double speechSeconds = static_cast<double>(speechSamples->size()) / 16000;

    testing::PrivatePulseAudio server;
    const auto microphone = server.addDefaultMicrophone();
    ASSERT_TRUE(microphone) << "the private PulseAudio server did not start with a FIFO microphone";
    fakes::RealTimeMainQueue queue;
    fakes::CapturedOutput output;
    fakes::CapturedLog log;
    testing::TemporaryFolder folder;
    AppState appState;

    // One utterance is enough: once it has been recorded, dictation goes off and the loop waits.
    std::mutex mutex;
    std::vector<bool> announced;
    auto observation = NotificationCenter::defaultCenter().observe(
        std::string(notification_names::didChangeRecordingStatus), [&](const Notification& notification) {
            const bool recording = userInfoBool(notification.userInfo, "isRecording");
            {
                std::lock_guard lock(mutex);
                announced.push_back(recording);
            }
            if (!recording)
                appState.setIsDictating(false);
        });

    PocketSphinxSpeechRecognitionService speech;
    speech.preload("en-US");
    fakes::ScriptedAlertPresenter alerts;
    fakes::RecordingSettingsOpener settings;
    auto transcriber = std::make_unique<RecordingTranscriber>(std::make_unique<SpeechRecognizer>(
        SpeechRecognizer::Services{speech, alerts, settings, [] { return std::optional<std::string>("en-US"); }}));
    RecordingTranscriber* recorded = transcriber.get();

    DictationManager::Services services;
    services.speechDetector = std::make_unique<SpeechDetector>(PulseAudioEngine::factory(), appState, folder.path());
    services.transcriptionService = std::move(transcriber);
    services.temporaryDirectory = folder.path();
    auto manager = std::make_unique<DictationManager>(appState, std::move(services));
    // A transcription still running at the end waits for the main queue: keep playing it while
    // the manager shuts down.
    struct ShutDown {
        std::unique_ptr<DictationManager>& manager;
        fakes::RealTimeMainQueue& queue;
        ~ShutDown()
        {
            auto closed = std::async(std::launch::async, [this] { manager.reset(); });
            const auto ready = [&] { return closed.wait_for(0s) == std::future_status::ready; };
            while (!ready())
                queue.runUntil(ready, 100ms);
        }
    } shutDown{manager, queue};

    testing::PipeWriter writer(*microphone);
    writer.enqueueSilence(1.0);
    writer.enqueue(*speechSamples);
    manager->startLoop();
    const auto done = [&] { return recorded->done(); };
    const auto giveUp = std::chrono::steady_clock::now() + 120s;
    while (!done() && std::chrono::steady_clock::now() < giveUp)
        queue.runUntil(done, 100ms);
    if (!done()) {
        for (const auto& message : log.messages())
            std::cerr << message << "\n";
        FAIL() << "no utterance was recorded and transcribed within 120 s";
    }

    {
        std::lock_guard lock(mutex);
        EXPECT_EQ(announced, (std::vector<bool>{true, false}));
    }

    // The manager transcribed a copy of the converted recording under a fresh name.
    const auto converted = folder.path() / "converted-audio.wav";
    const auto copy = recorded->url();
    EXPECT_EQ(copy.parent_path(), folder.path());
    EXPECT_TRUE(std::regex_match(copy.filename().string(),
                                 std::regex("[0-9A-F]{8}(-[0-9A-F]{4}){3}-[0-9A-F]{12}\\.wav")))
        << copy;
    EXPECT_EQ(contents(copy), contents(converted));

    SoundFile recording(converted, SFM_READ);
    ASSERT_TRUE(recording) << recording.error();
    EXPECT_EQ(recording.info().format, SF_FORMAT_CAF | SF_FORMAT_PCM_16 | SF_ENDIAN_LITTLE);
    EXPECT_EQ(recording.info().samplerate, 16000);
    EXPECT_EQ(recording.info().channels, 1);
    const double recordedSeconds = static_cast<double>(recording.info().frames) / 16000;
    // The whole sentence is there: its part above -40 dB alone lasts 5.5 s.
    EXPECT_GE(recordedSeconds, 5.52);
    EXPECT_NEAR(recordedSeconds, speechSeconds, 0.3);

    const auto outcome = recorded->outcome();
    const auto* text = std::get_if<std::string>(&outcome);
    ASSERT_NE(text, nullptr) << std::get<PlatformError>(outcome).description;
    const double errorRate =
        testing::wordErrorRate(testing::normalisedWords(*text), testing::normalisedWords(sentence.reference));
    EXPECT_LE(errorRate, 0.4) << "heard \"" << *text << "\" for \"" << sentence.reference << "\"";
    std::cout << "Word error rate " << errorRate << " for \"" << *text << "\"\n";
}

} // namespace
} // namespace brindlemoor
