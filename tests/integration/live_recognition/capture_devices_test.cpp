#include "engine/audio_capture_manager.h"
#include "fakes/captured_log.h"
#include "fakes/fake_system_sleep_events.h"
#include "fakes/real_time_main_queue.h"
#include "fakes/recording_recognizer.h"
#include "pipe_writer.h"
#include "platform/linux/pulseaudio/pulse_audio_capture_devices.h"
#include "platform/linux/pulseaudio/pulse_audio_engine.h"
#include "private_pulse_audio.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <thread>

namespace brindlemoor {
namespace {

using namespace std::chrono_literals;
using Events = std::vector<std::string>;

std::vector<std::int16_t> tone(double seconds)
{
    std::vector<std::int16_t> samples(static_cast<std::size_t>(seconds * 16000));
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<std::int16_t>(8000 * std::sin(2 * M_PI * 440 * i / 16000.0));
    return samples;
}

TEST(PulseAudioCaptureDevices, LoadingAndUnloadingASourceConnectsAndDisconnectsButMonitorsNever)
{
    testing::PrivatePulseAudio pulse;
    ASSERT_TRUE(pulse.ready()) << "the private PulseAudio did not start";
    fakes::RealTimeMainQueue queue;
    fakes::CapturedLog log;
    PulseAudioCaptureDevices devices(queue);
    EXPECT_FALSE(devices.hasDefaultInput()) << "the null sink's monitor is no input";
    int defaultChanges = 0;
    auto watching = devices.observeDefaultInputChanges([&] { ++defaultChanges; });

    fakes::FakeSystemSleepEvents sleep;
    AppState state;
    NotificationCenter center;
    Events events;
    fakes::RecordingRecognizer recognizer{events};
    AudioCaptureManager manager(devices, sleep, [&]() -> LiveRecognitionControl* { return &recognizer; }, state,
                                center, queue);
    EXPECT_FALSE(manager.isCaptureSessionRunning());

    ASSERT_TRUE(pulse.pactl({"load-module", "module-null-sink", "sink_name=headphones"}));
    queue.runFor(500ms);
    EXPECT_TRUE(events.empty()) << "a new output's monitor is not a capture device";

    auto module = pulse.loadPipeSource("microphone", pulse.directory() / "microphone");
    ASSERT_TRUE(module);
    ASSERT_TRUE(queue.runUntil([&] { return !events.empty(); }, 5s)) << "no connected event";
    EXPECT_EQ(events, Events{"stop"});
    EXPECT_TRUE(manager.isCaptureSessionRunning());
    EXPECT_TRUE(devices.defaultInputDeviceId().has_value());
    EXPECT_TRUE(queue.runUntil([&] { return defaultChanges >= 1; }, 5s)) << "the default input changed";
    auto messages = log.messages();
    EXPECT_TRUE(std::any_of(messages.begin(), messages.end(), [](const std::string& message) {
        return message.rfind("Audio device was connected. name = ", 0) == 0 && message.find("nil") == std::string::npos;
    }));
    queue.runFor(1100ms);
    EXPECT_EQ(events, Events({"stop", "start"}));

    ASSERT_TRUE(pulse.unloadModule(*module));
    ASSERT_TRUE(queue.runUntil([&] { return events.size() == 3; }, 5s)) << "no disconnected event";
    EXPECT_EQ(events.back(), "stop");
    EXPECT_FALSE(manager.hasCaptureSession());
    EXPECT_FALSE(devices.hasDefaultInput());
    EXPECT_TRUE(queue.runUntil([&] { return defaultChanges >= 2; }, 5s)) << "the default input went";
}

TEST(PulseAudioEngine, TapsGetExactBuffersOfTheDefaultInputOnTheirOwnThreadAndEnginesCaptureSideBySide)
{
    testing::PrivatePulseAudio pulse;
    ASSERT_TRUE(pulse.ready()) << "the private PulseAudio did not start";
    const auto fifo = pulse.addDefaultMicrophone();
    ASSERT_TRUE(fifo);
    testing::PipeWriter microphone(*fifo);
    microphone.enqueue(tone(3));

    struct Counter {
        std::atomic<int> buffers{0};
        std::atomic<int> wrongSize{0};
        std::atomic<int> onCallerThread{0};
        std::atomic<float> loudest{0};
    };
    const auto caller = std::this_thread::get_id();
    auto tapInto = [caller](Counter& counter) {
        return [&counter, caller](const AudioPcmBuffer& buffer) {
            ++counter.buffers;
            if (buffer.frameLength() != 512 || buffer.interleavedSamples().size() != 512)
                ++counter.wrongSize;
            if (std::this_thread::get_id() == caller)
                ++counter.onCallerThread;
            for (float sample : buffer.interleavedSamples())
                if (std::fabs(sample) > counter.loudest)
                    counter.loudest = std::fabs(sample);
        };
    };

    PulseAudioEngine first, second;
    EXPECT_EQ(first.inputFormat(), (AudioFormat{16000, 1}));
    Counter firstCount, secondCount;
    first.installTap(512, first.inputFormat(), tapInto(firstCount));
    second.installTap(512, second.inputFormat(), tapInto(secondCount));
    ASSERT_FALSE(first.start());
    ASSERT_FALSE(second.start());
    ASSERT_TRUE(testing::waitUntil([&] { return firstCount.buffers > 20 && secondCount.buffers > 20; }, 5s));
    EXPECT_EQ(firstCount.wrongSize + secondCount.wrongSize, 0);
    EXPECT_EQ(firstCount.onCallerThread + secondCount.onCallerThread, 0);
    EXPECT_GT(firstCount.loudest, 0.1f);

    first.stop();
    second.removeTap();
    const int firstSoFar = firstCount.buffers, secondSoFar = secondCount.buffers;
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(firstCount.buffers, firstSoFar);
    EXPECT_EQ(secondCount.buffers, secondSoFar);
}

TEST(PulseAudioEngine, StartFailsWithATypedErrorWithoutInputOrServer)
{
    {
        testing::PrivatePulseAudio pulse;
        ASSERT_TRUE(pulse.ready()) << "the private PulseAudio did not start";
        PulseAudioEngine engine;
        EXPECT_EQ(engine.inputFormat(), AudioFormat{});
        auto error = engine.start();
        ASSERT_TRUE(error);
        EXPECT_EQ(error->domain, kAudioEngineErrorDomain);
        EXPECT_EQ(error->code, static_cast<int>(AudioEngineErrorCode::noInputDevice));
    }
    setenv("PULSE_SERVER", "unix:/nonexistent/brindlemoor/native", 1);
    PulseAudioEngine engine;
    auto error = engine.start();
    unsetenv("PULSE_SERVER");
    ASSERT_TRUE(error);
    EXPECT_EQ(error->code, static_cast<int>(AudioEngineErrorCode::noServer));
    EXPECT_FALSE(error->description.empty());
}

} // namespace
} // namespace brindlemoor
