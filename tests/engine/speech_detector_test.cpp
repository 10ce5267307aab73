#include "engine/speech_detector.h"

#include "engine/notification_names.h"
#include "engine/sound_file.h"
#include "fakes/captured_log.h"
#include "fakes/captured_output.h"
#include "fakes/manual_main_queue.h"
#include "platform/notification_center.h"
#include "scripted_audio_engine.h"
#include "support/temporary_folder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <future>
#include <latch>

namespace brindlemoor {
namespace {

using namespace std::chrono_literals;
using testing::constantBuffer;

constexpr float kLoud = 0.1f;     // -20 dB
constexpr float kQuiet = 0.001f;  // -60 dB

class SpeechDetectorTest : public ::testing::Test {
protected:
    SpeechDetectorTest()
    {
        observation_ = NotificationCenter::defaultCenter().observe(
            std::string(notification_names::didChangeRecordingStatus), [this](const Notification& notification) {
                std::lock_guard lock(mutex_);
                announced_.push_back(userInfoBool(notification.userInfo, "isRecording"));
            });
    }

    // A listen still pending at the end must not outlive the test.
    void TearDown() override { detector_.cancel(); }

    void startListening()
    {
        answer_ = std::async(std::launch::async, [this] { return detector_.listen(); });
        input_.waitUntilRunning();
    }

    // Hands buffers to the tap and waits until the detector has processed them.
    void feed(float value, int count = 1)
    {
        for (int i = 0; i < count; ++i)
            input_.deliver(constantBuffer(value));
        settle();
    }
    void settle() { detector_.audioBufferQueue().sync([] {}); }
    void elapse(std::chrono::milliseconds duration)
    {
        queue_.advance(duration);
        settle();
    }

    bool listening() { return answer_.wait_for(0s) != std::future_status::ready; }
    // The detector has answered; the listening thread may still be on its way back.
    bool finished() { return answer_.wait_for(10s) == std::future_status::ready; }
    std::vector<bool> announced()
    {
        std::lock_guard lock(mutex_);
        return announced_;
    }
    SF_INFO recordingInfo()
    {
        SoundFile file(detector_.recordingFileURL(), SFM_READ);
        EXPECT_TRUE(file) << file.error();
        return file.info();
    }

    fakes::ManualMainQueue queue_;
    fakes::CapturedOutput output_;
    fakes::CapturedLog log_;
    testing::TemporaryFolder folder_;
    AppState appState_;
    testing::ScriptedAudioInput input_;
    SpeechDetector detector_{testing::ScriptedAudioEngine::factory(input_), appState_, folder_.path(),
                             queue_.manualClock()};
    std::future<std::optional<std::filesystem::path>> answer_;
    std::mutex mutex_;
    std::vector<bool> announced_;
    Cancellable observation_;
};

TEST(SpeechDetectorLevel, MeasuresChannelZeroInDecibels)
{
    EXPECT_FLOAT_EQ(SpeechDetector::audioLevelDecibels(constantBuffer(0.1f)), -20.0f);
    EXPECT_EQ(SpeechDetector::audioLevelDecibels(AudioPcmBuffer({44100, 1}, 256, std::nullopt)), -120.0f);
    EXPECT_EQ(SpeechDetector::audioLevelDecibels(constantBuffer(0.0f)), -INFINITY);
    EXPECT_TRUE(std::isnan(SpeechDetector::audioLevelDecibels(constantBuffer(0.5f, 0))));
    // Channel 1 is loud, channel 0 silent: only channel 0 counts.
    AudioPcmBuffer stereo({44100, 2}, 2, std::vector<float>{0.0f, 0.9f, 0.0f, 0.9f});
    EXPECT_EQ(SpeechDetector::audioLevelDecibels(stereo), -INFINITY);
}

TEST_F(SpeechDetectorTest, UsesItsLabelledQueueAndA256FrameTap)
{
    EXPECT_EQ(detector_.audioBufferQueue().label(), "com.qz.brindleymoor.audiobuffer");
    startListening();
    EXPECT_EQ(input_.tapBufferSize, 256u);
    appState_.setIsDictating(false);
    feed(kQuiet);
}

TEST_F(SpeechDetectorTest, ExactlyMinusFortyDecibelsIsQuiet)
{
    const float threshold = 0.0100000128f;
    ASSERT_EQ(SpeechDetector::audioLevelDecibels(constantBuffer(threshold)), -40.0f);
    startListening();
    feed(threshold, 3);
    elapse(1s);
    EXPECT_TRUE(announced().empty());
    feed(0.0101f);
    EXPECT_EQ(announced(), std::vector<bool>{true});
}

TEST_F(SpeechDetectorTest, StopsQuietDelayAfterTheFirstQuietBufferAndAnnouncesEachChangeOnce)
{
    startListening();
    feed(kLoud, 3);
    feed(kQuiet);
    elapse(100ms);
    // Quiet buffers after the timer was scheduled do not push it back.
    feed(kQuiet, 3);
    elapse(99ms);
    EXPECT_TRUE(listening());
    elapse(1ms);
    ASSERT_TRUE(finished());
    EXPECT_EQ(answer_.get(), folder_.path() / "converted-audio.wav");
    EXPECT_EQ(announced(), (std::vector<bool>{true, false}));
    EXPECT_TRUE(log_.contains("record: start"));
    EXPECT_TRUE(log_.contains("record: stop"));
    EXPECT_TRUE(log_.contains("stop recording"));
    EXPECT_TRUE(log_.contains("listen: stop"));
    EXPECT_TRUE(log_.contains("listen: end"));
    EXPECT_NE(output_.text().find("____"), std::string::npos);
}

TEST_F(SpeechDetectorTest, APauseShorterThanTheQuietDelayKeepsRecording)
{
    startListening();
    feed(kLoud);
    feed(kQuiet);
    elapse(150ms);
    feed(kLoud);
    feed(kQuiet);
    elapse(150ms);
    EXPECT_TRUE(listening());
    elapse(50ms);
    EXPECT_TRUE(finished());
    EXPECT_EQ(announced(), (std::vector<bool>{true, false}));
    EXPECT_EQ(recordingInfo().frames, 4 * 256);
}

TEST_F(SpeechDetectorTest, KeepsTenBuffersFromBeforeTheSpeech)
{
    startListening();
    for (int i = 0; i < 15; ++i)
        feed(0.0005f * static_cast<float>(i + 1));
    feed(kLoud);
    feed(kLoud);
    appState_.setIsDictating(false);
    feed(kLoud);
    ASSERT_TRUE(finished());

    SoundFile recording(detector_.recordingFileURL(), SFM_READ);
    ASSERT_TRUE(recording);
    EXPECT_EQ(recording.info().samplerate, 44100);
    EXPECT_EQ(recording.info().channels, 1);
    // Quiet buffers 7 to 15, then the three loud ones.
    EXPECT_EQ(recording.info().frames, 12 * 256);
    float first = 0;
    sf_readf_float(recording.get(), &first, 1);
    EXPECT_NEAR(first, 0.0035f, 1.0f / 32767);
}

TEST_F(SpeechDetectorTest, ClearingTheFlagEndsListeningWithoutSpeech)
{
    startListening();
    feed(kQuiet, 2);
    EXPECT_TRUE(listening());
    appState_.setIsDictating(false);
    feed(kQuiet);
    ASSERT_TRUE(finished());
    EXPECT_EQ(answer_.get(), folder_.path() / "converted-audio.wav");
    EXPECT_TRUE(announced().empty());

    SoundFile converted(folder_.path() / "converted-audio.wav", SFM_READ);
    ASSERT_TRUE(converted);
    EXPECT_EQ(converted.info().format, SF_FORMAT_CAF | SF_FORMAT_PCM_16 | SF_ENDIAN_LITTLE);
    EXPECT_EQ(converted.info().samplerate, 16000);
    EXPECT_EQ(converted.info().channels, 1);
    EXPECT_EQ(input_.stops, 1);
}

TEST_F(SpeechDetectorTest, BuffersQueuedBehindAStopDoNotRewriteTheRecording)
{
    startListening();
    feed(kLoud, 2);
    appState_.setIsDictating(false);
    std::latch release(1);
    detector_.audioBufferQueue().async([&] { release.wait(); });
    input_.deliver(constantBuffer(kLoud));
    input_.deliver(constantBuffer(kLoud));
    input_.deliver(constantBuffer(kLoud));
    release.count_down();
    settle();
    ASSERT_TRUE(finished());
    EXPECT_EQ(recordingInfo().frames, 3 * 256);
    EXPECT_EQ(announced(), (std::vector<bool>{true, false}));
    EXPECT_EQ(input_.stops, 1);
}

TEST_F(SpeechDetectorTest, ATimerOfAStoppedRecordingCannotStopTheNextOne)
{
    startListening();
    feed(kLoud);
    feed(kQuiet);
    appState_.setIsDictating(false);
    feed(kQuiet);
    ASSERT_TRUE(finished());

    appState_.setIsDictating(true);
    startListening();
    feed(kLoud);
    elapse(300ms);
    EXPECT_TRUE(listening());
    appState_.setIsDictating(false);
    feed(kLoud);
    EXPECT_TRUE(finished());
}

TEST_F(SpeechDetectorTest, RecordsOtherInputFormatsAs44kMono)
{
    input_.format = {48000, 2};
    startListening();
    const AudioPcmBuffer buffer({48000, 2}, 480, std::vector<float>(960, kLoud));
    for (int i = 0; i < 20; ++i)
        input_.deliver(buffer);
    settle();
    appState_.setIsDictating(false);
    input_.deliver(buffer);
    ASSERT_TRUE(finished());
    const SF_INFO info = recordingInfo();
    EXPECT_EQ(info.samplerate, 44100);
    EXPECT_EQ(info.channels, 1);
    // 21 × 480 frames at 48 kHz span the same time at 44.1 kHz.
    EXPECT_NEAR(static_cast<double>(info.frames), 21 * 480 * 44100.0 / 48000.0, 2);
}

TEST_F(SpeechDetectorTest, AnInputThatDoesNotStartEndsListeningWithNoLocationAndKeepsTheLastRecording)
{
    input_.startError = PlatformError{kAudioEngineErrorDomain, 2, "No audio input"};
    EXPECT_EQ(detector_.listen(), std::nullopt);
    EXPECT_TRUE(log_.contains("Audio engine start error: No audio input"));
    EXPECT_EQ(input_.stops, 1);
    // Retried every second without a microphone, it must neither rewrite nor convert anything.
    EXPECT_FALSE(std::filesystem::exists(folder_.path() / "audio.wav"));
    EXPECT_FALSE(std::filesystem::exists(folder_.path() / "converted-audio.wav"));
}

TEST_F(SpeechDetectorTest, ARefusedTapEndsListeningThroughTheStopPath)
{
    input_.format = {0, 0};
    input_.refuseTap = true;
    EXPECT_EQ(detector_.listen(), std::nullopt);
    EXPECT_EQ(input_.resets, 1);
    EXPECT_EQ(input_.stops, 1);
    EXPECT_TRUE(log_.contains("record: stop"));
}

TEST_F(SpeechDetectorTest, CancelEndsThePendingAndEveryLaterListen)
{
    startListening();
    feed(kLoud);
    detector_.cancel();
    EXPECT_EQ(answer_.get(), std::nullopt);
    EXPECT_EQ(announced(), (std::vector<bool>{true, false}));
    EXPECT_EQ(detector_.listen(), std::nullopt);
    EXPECT_EQ(input_.enginesMade, 1);
}

} // namespace
} // namespace brindlemoor
