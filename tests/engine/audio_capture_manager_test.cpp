#include "engine/audio_capture_manager.h"

#include "engine/notification_names.h"
#include "fakes/captured_log.h"
#include "fakes/captured_output.h"
#include "fakes/fake_capture_devices.h"
#include "fakes/fake_system_sleep_events.h"
#include "fakes/manual_main_queue.h"
#include "fakes/recording_recognizer.h"

#include <gtest/gtest.h>

namespace brindlemoor {
namespace {

using namespace std::chrono_literals;
using Events = std::vector<std::string>;

class AudioCaptureManagerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        flagWrites = state.subscribeIsDictating([this](const bool& value) {
            if (subscribed)
                events.push_back(value ? "flag=true" : "flag=false");
        });
        subscribed = true;
    }

    void create()
    {
        manager = std::make_unique<AudioCaptureManager>(
            devices, sleep, [this]() -> LiveRecognitionControl* { return hasRecognizer ? &recognizer : nullptr; },
            state, center, queue);
    }
    Events drain()
    {
        queue.runUntilIdle();
        return std::exchange(events, {});
    }

    fakes::ManualMainQueue queue;
    fakes::CapturedLog log;
    fakes::CapturedOutput output;
    fakes::FakeCaptureDevices devices;
    fakes::FakeSystemSleepEvents sleep;
    NotificationCenter center;
    AppState state;
    Events events;
    fakes::RecordingRecognizer recognizer{events};
    bool hasRecognizer = true;
    bool subscribed = false;
    Cancellable flagWrites;
    std::unique_ptr<AudioCaptureManager> manager;
};

TEST_F(AudioCaptureManagerTest, CaptureSessionRunsFromCreationWhenThereIsAnInput)
{
    create();
    EXPECT_TRUE(manager->isCaptureSessionRunning());
    EXPECT_TRUE(output.lines().empty());
    EXPECT_TRUE(drain().empty()) << "creation neither starts recognition nor touches the flag";
}

TEST_F(AudioCaptureManagerTest, WithoutAnInputTheSessionStaysUnstartedAndSaysSo)
{
    devices.defaultInput.reset();
    create();
    EXPECT_TRUE(manager->hasCaptureSession());
    EXPECT_FALSE(manager->isCaptureSessionRunning());
    EXPECT_EQ(output.lines(), std::vector<std::string>{"Unable to access audio device"});
}

TEST_F(AudioCaptureManagerTest, FirstToggleStopsSecondStartsOneSecondLater)
{
    create();
    center.post(std::string(notification_names::toggleDictation));
    EXPECT_EQ(events, Events{"flag=false"}) << "the flag changes before the posted stop runs";
    EXPECT_EQ(drain(), Events({"flag=false", "stop"}));
    EXPECT_FALSE(manager->hasCaptureSession());
    EXPECT_TRUE(log.contains("Audio device was disconnected. name = nil"));

    center.post(std::string(notification_names::toggleDictation));
    EXPECT_EQ(drain(), Events({"flag=true", "stop"}));
    EXPECT_TRUE(manager->isCaptureSessionRunning());
    EXPECT_TRUE(log.contains("Audio device was connected. name = nil"));
    queue.advance(999ms);
    EXPECT_TRUE(events.empty());
    queue.advance(1ms);
    EXPECT_EQ(events, Events{"start"});
}

TEST_F(AudioCaptureManagerTest, DevicesComingAndGoingRestartOrStopWithoutTouchingTheFlag)
{
    state.setIsDictating(false);
    create();
    events.clear();
    devices.connect("USB Microphone");
    EXPECT_TRUE(log.contains("Audio device was connected. name = USB Microphone"));
    EXPECT_EQ(drain(), Events{"stop"});
    queue.advance(1s);
    EXPECT_EQ(drain(), Events{"start"});
    EXPECT_FALSE(state.isDictating());

    devices.disconnect("USB Microphone");
    EXPECT_TRUE(log.contains("Audio device was disconnected. name = USB Microphone"));
    EXPECT_EQ(drain(), Events{"stop"});
    EXPECT_FALSE(manager->hasCaptureSession());
    queue.advance(2s);
    EXPECT_TRUE(events.empty());
}

TEST_F(AudioCaptureManagerTest, SleepWhileDictatingTurnsOffThenFiveSecondsAfterWakeOffAndOnAgain)
{
    create();
    sleep.sleep();
    EXPECT_TRUE(log.contains("systemWillSleep: isDictating = true"));
    EXPECT_TRUE(manager->dictationStateBeforeSleep());
    EXPECT_EQ(drain(), Events({"stop", "flag=false"}));

    sleep.wake();
    EXPECT_EQ(output.lines(), std::vector<std::string>({"System will sleep. Exiting live recognizer.",
                                                        "System woke from sleep. Reinitializing audio session."}));
    queue.advance(4999ms);
    EXPECT_TRUE(events.empty());
    queue.advance(1ms);
    EXPECT_EQ(drain(), Events({"stop", "flag=false", "stop", "flag=true"}));
    EXPECT_TRUE(log.contains("systemDidWake: dictationStateBeforeSleep = true"));
    queue.advance(1s);
    EXPECT_EQ(events, Events{"start"});
    EXPECT_TRUE(state.isDictating());
}

TEST_F(AudioCaptureManagerTest, SleepWhileNotDictatingOnlyTurnsOffAfterWake)
{
    state.setIsDictating(false);
    create();
    sleep.sleep();
    drain();
    sleep.wake();
    queue.advance(5s);
    EXPECT_EQ(drain(), Events({"stop", "flag=false"}));
    queue.advance(2s);
    EXPECT_TRUE(events.empty());
    EXPECT_TRUE(log.contains("systemDidWake: dictationStateBeforeSleep = false"));
}

TEST_F(AudioCaptureManagerTest, RestartTurnsOffThenOnAndLeavesTheFlagSet)
{
    create();
    center.post(std::string(notification_names::restartDictation));
    EXPECT_TRUE(events.empty()) << "all of it runs from the main queue";
    EXPECT_EQ(drain(), Events({"stop", "flag=false", "stop", "flag=true"}));
    EXPECT_TRUE(log.contains("restartDictation"));
    queue.advance(1s);
    EXPECT_EQ(events, Events{"start"});
    EXPECT_TRUE(state.isDictating());
}

TEST_F(AudioCaptureManagerTest, WithoutARecognizerOnlyTheFlagAndSessionChange)
{
    hasRecognizer = false;
    create();
    center.post(std::string(notification_names::toggleDictation));
    center.post(std::string(notification_names::toggleDictation));
    queue.advance(2s);
    EXPECT_EQ(events, Events({"flag=false", "flag=true"}));
    EXPECT_TRUE(manager->isCaptureSessionRunning());
}

TEST_F(AudioCaptureManagerTest, NothingRunsForAManagerThatIsGone)
{
    create();
    sleep.wake();
    manager.reset();
    sleep.sleep();
    center.post(std::string(notification_names::toggleDictation));
    queue.advance(6s);
    EXPECT_TRUE(events.empty());
}

} // namespace
} // namespace brindlemoor
