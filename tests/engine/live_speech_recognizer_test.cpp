#include "engine/live_speech_recognizer.h"

#include "engine/dictation_manager_reference.h"
#include "engine/notification_names.h"
#include "engine/recognition_locale.h"
#include "engine/speech_recognition_permission_error.h"
#include "fakes/captured_log.h"
#include "fakes/captured_output.h"
#include "fakes/fake_audio_engine.h"
#include "fakes/fake_speech_recognition_service.h"
#include "fakes/manual_main_queue.h"
#include "fakes/recording_settings_opener.h"
#include "fakes/recording_text_insertion.h"
#include "fakes/scripted_alert_presenter.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace brindlemoor {
namespace {

using namespace std::chrono_literals;

AudioPcmBuffer bufferOf(float level)
{
    return AudioPcmBuffer(AudioFormat{48000, 1}, 512, std::vector<float>(512, level));
}

class LiveSpeechRecognizerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setDictationManager(&inserted);
        recognizer = std::make_unique<LiveSpeechRecognizer>(speech, engines.factory(), alerts, settings, queue, center);
        recognizer->getLocale = [this] { return locale; };
    }
    void TearDown() override
    {
        recognizer.reset();
        setDictationManager(nullptr);
    }

    std::shared_ptr<fakes::FakeRecognitionTask> task() const { return speech.lastTask(); }
    std::size_t taskCount() const { return speech.tasks.size(); }
    long countOf(const std::string& message) const
    {
        auto messages = log.messages();
        return std::count(messages.begin(), messages.end(), message);
    }
    // Starts and lets the first pass begin.
    void startRunning()
    {
        recognizer->start();
        queue.runUntilIdle();
        ASSERT_EQ(taskCount(), 1u);
    }
    // Settles the current pass `after` its start and lets the pause between passes go by.
    void settlePassAfter(std::chrono::milliseconds after)
    {
        queue.advance(after);
        task()->deliverFinal("Hello.");
        queue.runUntilIdle();
        queue.advance(50ms);
    }

    fakes::ManualMainQueue queue;
    fakes::CapturedLog log;
    fakes::CapturedOutput output;
    fakes::FakeSpeechRecognitionService speech{{"en-US", "de-DE"}};
    fakes::FakeAudioEngines engines;
    fakes::ScriptedAlertPresenter alerts;
    fakes::RecordingSettingsOpener settings;
    NotificationCenter center;
    fakes::RecordingTextInsertion inserted;
    std::string locale = "en-US";
    std::unique_ptr<LiveSpeechRecognizer> recognizer;
};

TEST_F(LiveSpeechRecognizerTest, PassSetsUpRequestTapAndEngineThenSettlesAndPausesBeforeTheNext)
{
    startRunning();
    auto engine = engines.last();
    EXPECT_EQ(engine->tapBufferSize, 512u);
    EXPECT_TRUE(engine->running);
    EXPECT_TRUE(task()->request->shouldReportPartialResults);
    EXPECT_TRUE(task()->request->addsPunctuation);
    EXPECT_TRUE(log.contains("System start"));
    EXPECT_TRUE(log.contains("listen: begin: lang = en-US"));

    engine->deliver(bufferOf(0.3f));
    queue.runUntilIdle();
    EXPECT_EQ(task()->audio->buffers, 1);

    auto first = task();
    first->deliverFinal("what time is it");
    queue.runUntilIdle();
    EXPECT_EQ(inserted.texts, std::vector<std::string>{"what time is it? "});
    EXPECT_EQ(first->cancelCount, 1);
    EXPECT_NE(output.text().find("Transcription: "), std::string::npos);
    EXPECT_NE(output.text().find("."), std::string::npos);

    queue.advance(49ms);
    EXPECT_EQ(taskCount(), 1u);
    queue.advance(1ms);
    EXPECT_EQ(taskCount(), 2u);
    EXPECT_TRUE(log.contains("listen: end, isRunning = true, isAvailable=true"));
    EXPECT_TRUE(engine->released) << "every pass takes a new engine";
    EXPECT_EQ(first->finishCount, 1) << "the next pass finishes the previous task";
}

TEST_F(LiveSpeechRecognizerTest, ErrorsEndThePassAndOnlyAResultIsInserted)
{
    startRunning();
    task()->deliverError();
    queue.runUntilIdle();
    EXPECT_TRUE(inserted.texts.empty());
    queue.advance(50ms);
    ASSERT_EQ(taskCount(), 2u);

    task()->deliver(SpeechRecognitionResult{false, Transcription{"good night", {{"good night", 0, 1, 0}}}},
                    PlatformError{kSpeechRecognitionErrorDomain, 9, "interrupted"});
    queue.runUntilIdle();
    EXPECT_EQ(inserted.texts, std::vector<std::string>{"good night. "});
    queue.advance(50ms);
    EXPECT_EQ(taskCount(), 3u);
}

TEST_F(LiveSpeechRecognizerTest, SilenceAfterSpeechEndsTheRequestsAudio)
{
    startRunning();
    auto engine = engines.last();
    engine->deliver(bufferOf(0.0f));
    queue.runUntilIdle();
    EXPECT_FALSE(task()->request->isAudioEnded()) << "no result yet in this pass";

    task()->deliverPartial("hello world");
    queue.runUntilIdle();
    queue.advance(499ms);
    engine->deliver(bufferOf(0.0f));
    queue.runUntilIdle();
    EXPECT_FALSE(task()->request->isAudioEnded());

    queue.advance(1ms);
    engine->deliver(bufferOf(0.2f));
    queue.runUntilIdle();
    EXPECT_FALSE(task()->request->isAudioEnded()) << "speech is not silence";
    engine->deliver(bufferOf(0.005f));
    queue.runUntilIdle();
    EXPECT_TRUE(task()->request->isAudioEnded());
    EXPECT_TRUE(task()->audio->ended);
}

TEST_F(LiveSpeechRecognizerTest, LanguageChangeEndsThePassAndTheNextListensInTheNewLanguage)
{
    center.post(std::string(notification_names::stopLiveSpeechRecognizer));  // no request yet: nothing
    startRunning();
    locale = "de-DE";
    center.post(std::string(notification_names::stopLiveSpeechRecognizer));
    EXPECT_TRUE(task()->request->isAudioEnded());
    task()->deliverError();
    queue.runUntilIdle();
    queue.advance(50ms);
    ASSERT_EQ(taskCount(), 2u);
    EXPECT_EQ(speech.requestedLocales.back(), "de-DE");
    EXPECT_TRUE(log.contains("listen: begin: lang = de-DE"));
}

TEST_F(LiveSpeechRecognizerTest, RefusedPermissionExplainsAndRunsNoPass)
{
    speech.status = SpeechRecognizerAuthorizationStatus::denied;
    alerts.answers = {kAlertSecondButtonReturn};
    recognizer->start();
    queue.runUntilIdle();
    EXPECT_EQ(taskCount(), 0u);
    ASSERT_EQ(alerts.shown.size(), 1u);
    EXPECT_EQ(alerts.shown[0].messageText, "Speech Recognition Authorization");
    EXPECT_EQ(settings.opened, std::vector<SettingsPane>{SettingsPane::speechRecognitionPrivacy});
    EXPECT_TRUE(log.contains(localizedDescription(SpeechRecognitionPermissionError::authorizationDenied)));
    EXPECT_TRUE(recognizer->isRunning());

    // A later start asks again.
    speech.status = SpeechRecognizerAuthorizationStatus::authorized;
    recognizer->start();
    queue.runUntilIdle();
    EXPECT_EQ(speech.authorizationRequests, 2);
    EXPECT_EQ(taskCount(), 1u);
}

TEST_F(LiveSpeechRecognizerTest, EngineStartFailureEndsThePassAtOnceWithoutThePause)
{
    engines.startScript->push_back(PlatformError{kAudioEngineErrorDomain, 2, "No microphone."});
    recognizer->start();
    queue.runUntilIdle();
    EXPECT_TRUE(log.contains("Audio engine start error: No microphone."));
    EXPECT_TRUE(log.contains("Failed to start recording: No microphone."));
    EXPECT_TRUE(log.contains("Loop too fast: 0.000000 seconds, errors: 1"));
    EXPECT_EQ(taskCount(), 2u) << "the next pass follows at once";
    EXPECT_EQ(speech.tasks[0]->finishCount, 1);
}

TEST_F(LiveSpeechRecognizerTest, LateCallbackOfAnEarlierPassDoesNotSettleTheCurrentOne)
{
    engines.startScript->push_back(PlatformError{kAudioEngineErrorDomain, 2, "No microphone."});
    recognizer->start();
    queue.runUntilIdle();
    ASSERT_EQ(taskCount(), 2u);
    auto current = speech.tasks[1];

    speech.tasks[0]->deliverError();
    queue.runUntilIdle();
    queue.advance(1s);
    EXPECT_EQ(taskCount(), 2u) << "the current pass still waits for its own result";
    EXPECT_EQ(current->cancelCount, 0);

    current->deliverFinal("Still here.");
    queue.runUntilIdle();
    queue.advance(50ms);
    EXPECT_EQ(taskCount(), 3u);
    EXPECT_EQ(inserted.texts, std::vector<std::string>{"Still here. "});
}

TEST_F(LiveSpeechRecognizerTest, LocaleWithoutRecognizerIsARapidPassAndTwentyOneAskForARestart)
{
    locale = "xx-XX";
    int restarts = 0;
    auto observation = center.observe(std::string(notification_names::restartDictation), [&](const Notification&) {
        ++restarts;
        recognizer->stop();  // as the capture manager's restart would
    });
    recognizer->start();
    queue.runUntilIdle();
    EXPECT_TRUE(log.contains("Failed to start recording: Speech recognition is not available for the language xx-XX."));
    EXPECT_TRUE(log.contains("Loop too fast: 0.000000 seconds, errors: 20"));
    EXPECT_TRUE(log.contains("Too many rapid errors: 21"));
    EXPECT_EQ(restarts, 1);
    EXPECT_EQ(countOf("listen: begin: lang = xx-XX"), 21);
    EXPECT_EQ(taskCount(), 0u);
}

TEST_F(LiveSpeechRecognizerTest, RapidPassGuardCountsUnderTwoTenthsAndResetsAtTwoTenths)
{
    startRunning();
    settlePassAfter(140ms);
    EXPECT_TRUE(log.contains("Loop too fast: 0.190000 seconds, errors: 1"));
    settlePassAfter(140ms);
    EXPECT_TRUE(log.contains("Loop too fast: 0.190000 seconds, errors: 2"));
    settlePassAfter(150ms);
    EXPECT_TRUE(log.contains("Loop duration: 0.200000 seconds"));
    EXPECT_EQ(countOf("Loop too fast: 0.200000 seconds, errors: 3"), 0);
    settlePassAfter(140ms);
    EXPECT_EQ(countOf("Loop too fast: 0.190000 seconds, errors: 1"), 2) << "the count started again";
}

TEST_F(LiveSpeechRecognizerTest, TwentyFirstRapidPassPostsTheRestartFromTheMainQueueAndResets)
{
    int restarts = 0;
    auto observation =
        center.observe(std::string(notification_names::restartDictation), [&](const Notification&) { ++restarts; });
    startRunning();
    for (int pass = 1; pass <= 20; ++pass)
        settlePassAfter(100ms);
    EXPECT_EQ(restarts, 0);
    queue.advance(100ms);
    task()->deliverFinal("Hello.");
    queue.runUntilIdle();
    queue.advance(49ms);
    EXPECT_EQ(restarts, 0);
    queue.advance(1ms);
    EXPECT_EQ(restarts, 1);
    EXPECT_TRUE(log.contains("Too many rapid errors: 21"));
    settlePassAfter(100ms);
    EXPECT_EQ(countOf("Loop too fast: 0.150000 seconds, errors: 1"), 2);
}

TEST_F(LiveSpeechRecognizerTest, StopEndsTheAudioAndTheLoopEndsWhenThePassSettles)
{
    startRunning();
    auto engine = engines.last();
    auto running = task();
    recognizer->stop();
    EXPECT_TRUE(log.contains("System stop"));
    EXPECT_FALSE(recognizer->isRunning());
    EXPECT_TRUE(running->request->isAudioEnded());
    EXPECT_EQ(running->finishCount, 1);
    EXPECT_EQ(engine->removeTapCount, 1);
    EXPECT_EQ(engine->resetCount, 1);
    EXPECT_EQ(engine->stopCount, 1);

    running->deliverFinal("Last words.");
    queue.runUntilIdle();
    queue.advance(1s);
    EXPECT_EQ(inserted.texts, std::vector<std::string>{"Last words. "});
    EXPECT_EQ(taskCount(), 1u);
    EXPECT_TRUE(log.contains("listen: end, isRunning = false, isAvailable=true"));
}

TEST_F(LiveSpeechRecognizerTest, StartWhileTheStoppedPassFinishesKeepsOneLoop)
{
    startRunning();
    recognizer->stop();
    recognizer->start();
    queue.runUntilIdle();
    EXPECT_EQ(speech.authorizationRequests, 1);
    EXPECT_EQ(taskCount(), 1u);

    task()->deliverFinal("Hello.");
    queue.runUntilIdle();
    queue.advance(50ms);
    EXPECT_EQ(taskCount(), 2u);
    queue.advance(1s);
    EXPECT_EQ(taskCount(), 2u) << "one loop, one pass at a time";
}

TEST_F(LiveSpeechRecognizerTest, StartAfterTheLoopEndedBeginsAgain)
{
    startRunning();
    recognizer->stop();
    task()->deliverError();
    queue.runUntilIdle();
    queue.advance(50ms);
    EXPECT_EQ(taskCount(), 1u);

    recognizer->start();
    queue.runUntilIdle();
    EXPECT_EQ(speech.authorizationRequests, 2);
    EXPECT_EQ(taskCount(), 2u);
    EXPECT_TRUE(recognizer->isRunning());
}

TEST_F(LiveSpeechRecognizerTest, CallbacksAfterTheRecognizerIsGoneAreIgnored)
{
    startRunning();
    auto running = task();
    recognizer.reset();
    running->deliverFinal("Too late.");
    queue.runUntilIdle();
    queue.advance(1s);
    EXPECT_TRUE(inserted.texts.empty());
}

TEST(RecognitionLocale, ChosenLanguageElseWholeKeyboardLanguageElseEnglish)
{
    EXPECT_EQ(recognitionLocaleFor("de", std::string("fr-FR")), "de");
    EXPECT_EQ(recognitionLocaleFor("", std::string("sr-Latn-RS")), "sr-Latn-RS");
    EXPECT_EQ(recognitionLocaleFor("", std::nullopt), "en-US");
}

} // namespace
} // namespace brindlemoor
