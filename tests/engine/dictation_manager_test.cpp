#include "engine/dictation_manager.h"

#include "engine/notification_names.h"
#include "fakes/captured_log.h"
#include "fakes/captured_output.h"
#include "fakes/fake_capture_devices.h"
#include "fakes/manual_clock.h"
#include "fakes/manual_main_queue.h"
#include "fakes/recording_text_insertion.h"
#include "platform/notification_center.h"
#include "support/temporary_folder.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <deque>
#include <fstream>
#include <regex>
#include <thread>

namespace brindlemoor {
namespace {

using namespace std::chrono_literals;

// Waits for something another thread does; the bound only keeps a broken test from hanging.
template <typename Condition>
bool eventually(Condition condition)
{
    const auto giveUp = std::chrono::steady_clock::now() + 10s;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > giveUp)
            return false;
        std::this_thread::yield();
    }
    return true;
}

// Answers listen() from a script, then blocks until cancelled. Each listen takes 2 s of
// virtual time.
class ScriptedUtterances final : public UtteranceSource {
public:
    explicit ScriptedUtterances(fakes::ManualClock& clock) : clock_(clock) {}

    std::optional<std::filesystem::path> listen() override
    {
        std::unique_lock lock(mutex_);
        listenTimes.push_back(clock_.now());
        changed_.notify_all();
        changed_.wait(lock, [this] { return cancelled_ || !script.empty(); });
        if (cancelled_)
            return std::nullopt;
        auto answer = script.front();
        script.pop_front();
        clock_.advance(2s);
        return answer;
    }
    void cancel() override
    {
        std::lock_guard lock(mutex_);
        cancelled_ = true;
        changed_.notify_all();
    }
    void answer(std::optional<std::filesystem::path> location)
    {
        std::lock_guard lock(mutex_);
        script.push_back(std::move(location));
        changed_.notify_all();
    }
    std::size_t listens()
    {
        std::lock_guard lock(mutex_);
        return listenTimes.size();
    }

    std::deque<std::optional<std::filesystem::path>> script;
    std::vector<Clock::MonotonicTime> listenTimes;

private:
    fakes::ManualClock& clock_;
    std::mutex mutex_;
    std::condition_variable changed_;
    bool cancelled_ = false;
};

class ScriptedTranscriber final : public TranscribeProtocol {
public:
    TranscriptionResult transcribe(const std::filesystem::path& url) override
    {
        std::unique_lock lock(mutex_);
        received.push_back(url);
        opened_.wait(lock, [this] { return open; });
        return answer;
    }
    void openGate()
    {
        std::lock_guard lock(mutex_);
        open = true;
        opened_.notify_all();
    }
    std::vector<std::filesystem::path> receivedPaths()
    {
        std::lock_guard lock(mutex_);
        return received;
    }

    TranscriptionResult answer = std::string("  text\t");
    bool open = true;
    std::vector<std::filesystem::path> received;

private:
    std::mutex mutex_;
    std::condition_variable opened_;
};

class DictationManagerTest : public ::testing::Test {
protected:
    std::unique_ptr<DictationManager> makeManager(fakes::FakeCaptureDevices* devices = nullptr)
    {
        DictationManager::Services services;
        auto utterances = std::make_unique<ScriptedUtterances>(clock_);
        utterances_ = utterances.get();
        services.speechDetector = std::move(utterances);
        auto transcriber = std::make_unique<ScriptedTranscriber>();
        transcriber_ = transcriber.get();
        services.transcriptionService = std::move(transcriber);
        services.captureDevices = devices;
        services.textInserter = &inserter_;
        services.clock = &clock_;
        services.temporaryDirectory = folder_.path();
        services.sleep = [this](std::chrono::nanoseconds duration) {
            std::lock_guard lock(sleepMutex_);
            sleeps_.push_back(duration);
            clock_.advance(duration);
            if (sleeps_.size() == setFlagAfterSleeps_)
                appState_.setIsDictating(true);
        };
        return std::make_unique<DictationManager>(appState_, std::move(services));
    }

    std::filesystem::path recording(const std::string& name, const std::string& bytes = "RIFF audio bytes")
    {
        auto path = folder_.path() / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    std::vector<std::chrono::nanoseconds> sleeps()
    {
        std::lock_guard lock(sleepMutex_);
        return sleeps_;
    }
    std::size_t countMessages(const std::string& pattern)
    {
        const std::regex expression(pattern);
        std::size_t count = 0;
        for (const auto& record : log_.records())
            count += record.category == "Benchmark" && std::regex_match(record.message, expression);
        return count;
    }

    fakes::CapturedOutput output_;
    fakes::CapturedLog log_;
    fakes::ManualClock clock_;
    testing::TemporaryFolder folder_;
    AppState appState_;
    fakes::RecordingTextInsertion inserter_;
    ScriptedUtterances* utterances_ = nullptr;
    ScriptedTranscriber* transcriber_ = nullptr;
    std::mutex sleepMutex_;
    std::vector<std::chrono::nanoseconds> sleeps_;
    std::size_t setFlagAfterSleeps_ = 0;
};

TEST_F(DictationManagerTest, WhileTheFlagIsClearItIsReadEvery100Milliseconds)
{
    appState_.setIsDictating(false);
    setFlagAfterSleeps_ = 5;
    const auto start = clock_.now();
    auto manager = makeManager();
    manager->startLoop();
    ASSERT_TRUE(eventually([&] { return utterances_->listens() == 1; }));
    EXPECT_EQ(sleeps(), std::vector<std::chrono::nanoseconds>(5, 100ms));
    // The first cycle starts at the first read after the flag was set.
    EXPECT_EQ(utterances_->listenTimes[0] - start, 500ms);
}

TEST_F(DictationManagerTest, WhileTheFlagIsSetCyclesFollowEachOtherAndEachGetsACopy)
{
    auto first = recording("converted-audio.wav", "first utterance");
    utterances_ = nullptr;
    auto manager = makeManager();
    utterances_->answer(first);
    utterances_->answer(first);
    manager->startLoop();
    ASSERT_TRUE(eventually([&] { return utterances_->listens() == 3; }));
    ASSERT_TRUE(eventually([&] { return manager->runningTranscriptionCount() == 0; }));
    EXPECT_TRUE(sleeps().empty());

    const auto received = transcriber_->receivedPaths();
    ASSERT_EQ(received.size(), 2u);
    EXPECT_NE(received[0], received[1]);
    const std::regex uuidName("[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}\\.wav");
    for (const auto& copy : received) {
        EXPECT_EQ(copy.parent_path(), folder_.path());
        EXPECT_TRUE(std::regex_match(copy.filename().string(), uuidName)) << copy;
        std::ifstream stream(copy);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(stream), {}), "first utterance");
    }
    EXPECT_EQ(countMessages("time = 2 seconds, listen"), 2u);
    EXPECT_EQ(countMessages("time = [0-9.e-]+ seconds, transcribe \\(async\\)"), 2u);
    EXPECT_EQ(countMessages("time = [0-9.e-]+ seconds, transcribe \\(sync\\)"), 2u);
}

TEST_F(DictationManagerTest, TranscriptionsRunInTasksOfTheirOwnAndFinishedOnesArePruned)
{
    auto manager = makeManager();
    transcriber_->open = false;
    utterances_->answer(recording("a.caf"));
    utterances_->answer(recording("b.caf"));
    manager->startLoop();
    ASSERT_TRUE(eventually([&] { return transcriber_->receivedPaths().size() == 2; }));
    EXPECT_EQ(manager->runningTranscriptionCount(), 2u);
    EXPECT_EQ(countMessages(".*transcribe \\(async\\)"), 2u);
    EXPECT_EQ(countMessages(".*transcribe \\(sync\\)"), 0u);
    transcriber_->openGate();
    EXPECT_TRUE(eventually([&] { return manager->runningTranscriptionCount() == 0; }));
    EXPECT_EQ(countMessages(".*transcribe \\(sync\\)"), 2u);
}

TEST_F(DictationManagerTest, CopyNamesKeepTheExtensionAndAFailedCopyTranscribesTheOriginal)
{
    auto manager = makeManager();
    utterances_->answer(recording("recording"));
    utterances_->answer(folder_.path() / "vanished.caf");
    manager->startLoop();
    ASSERT_TRUE(eventually([&] { return utterances_->listens() == 3; }));
    ASSERT_TRUE(eventually([&] { return manager->runningTranscriptionCount() == 0; }));
    auto received = transcriber_->receivedPaths();
    ASSERT_EQ(received.size(), 2u);
    // The two tasks may reach the transcriber in either order.
    if (received[0].filename() == "vanished.caf")
        std::swap(received[0], received[1]);
    EXPECT_TRUE(received[0].filename().string().ends_with("."));
    EXPECT_EQ(received[0].filename().string().size(), 37u);
    EXPECT_EQ(received[1], folder_.path() / "vanished.caf");
    EXPECT_NE(output_.text().find("Error while copying file: "), std::string::npos);
}

TEST_F(DictationManagerTest, AFailedTranscriptionIsPrintedAndTheLoopGoesOn)
{
    auto manager = makeManager();
    transcriber_->answer = PlatformError{"SpeechRecognition", 1, "No speech detected"};
    utterances_->answer(recording("a.caf"));
    utterances_->answer(recording("b.caf"));
    manager->startLoop();
    ASSERT_TRUE(eventually([&] { return utterances_->listens() == 3; }));
    ASSERT_TRUE(eventually([&] { return manager->runningTranscriptionCount() == 0; }));
    const auto lines = output_.lines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "Transcription failed: No speech detected"), 2);
}

TEST_F(DictationManagerTest, WithoutAnAudioInputItTriesAgainAfterASecond)
{
    auto manager = makeManager();
    utterances_->answer(std::nullopt);
    manager->startLoop();
    ASSERT_TRUE(eventually([&] { return utterances_->listens() == 2; }));
    EXPECT_EQ(sleeps(), std::vector<std::chrono::nanoseconds>{1s});
    EXPECT_TRUE(transcriber_->receivedPaths().empty());
}

TEST_F(DictationManagerTest, InsertsTextThroughItsInserterAndAsTheProcessWideEntry)
{
    auto manager = makeManager();
    setDictationManager(manager.get());
    dictationManager()->insertText("Hello there. ");
    setDictationManager(nullptr);
    EXPECT_EQ(inserter_.texts, std::vector<std::string>{"Hello there. "});
}

TEST_F(DictationManagerTest, AnAudioDeviceChangeSwitchesDictationOff)
{
    fakes::ManualMainQueue queue;
    auto manager = makeManager();
    manager->audioInputDeviceDidChange();
    EXPECT_EQ(output_.lines(), std::vector<std::string>{"device: audioInputDeviceDidChange: start"});
    EXPECT_TRUE(appState_.isDictating());
    queue.runUntilIdle();
    EXPECT_FALSE(appState_.isDictating());
    queue.advance(999ms);
    EXPECT_EQ(output_.lines().size(), 1u);
    queue.advance(1ms);
    EXPECT_EQ(output_.lines().back(), "device: audioInputDeviceDidChange: end");
}

TEST_F(DictationManagerTest, AnnouncesEachRealChangeOfTheDefaultInput)
{
    fakes::FakeCaptureDevices devices;
    int announced = 0;
    auto observation = NotificationCenter::defaultCenter().observe(
        std::string(notification_names::defaultAudioInputDeviceChanged), [&](const Notification&) { ++announced; });
    auto manager = makeManager(&devices);
    devices.setDefaultInput(7);
    devices.setDefaultInput(7);
    devices.setDefaultInput(std::nullopt);
    devices.setDefaultInput(0);
    EXPECT_EQ(announced, 2);
    EXPECT_EQ(output_.lines(), (std::vector<std::string>{"Default input device changed. deviceInputDeviceID = 7",
                                                         "Default input device changed. deviceInputDeviceID = 0"}));
    manager.reset();
    devices.setDefaultInput(9);
    EXPECT_EQ(announced, 2);
}

} // namespace
} // namespace brindlemoor
