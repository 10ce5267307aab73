#include "engine/speech_recognition_result_handler.h"

#include "engine/app_state.h"
#include "engine/dictation_manager_reference.h"
#include "fakes/captured_log.h"
#include "fakes/captured_output.h"
#include "fakes/manual_main_queue.h"

#include <gtest/gtest.h>

namespace brindlemoor {
namespace {

using namespace std::chrono_literals;

struct RecordingManager : TextInsertionEntry {
    void insertText(const std::string& text) override { inserted.push_back(text); }
    std::vector<std::string> inserted;
};

struct CountingTask : SpeechRecognitionTask {
    void finish() override {}
    void cancel() override { ++cancels; }
    int cancels = 0;
};

SpeechRecognitionResult result(std::string text, float confidence, bool isFinal = false)
{
    SpeechRecognitionResult r;
    r.isFinal = isFinal;
    r.bestTranscription.formattedString = text;
    if (!text.empty())
        r.bestTranscription.segments.push_back({text, 0.0, 0.5, confidence});
    return r;
}

class ResultHandlerTest : public ::testing::Test {
protected:
    ResultHandlerTest() { setDictationManager(&manager); }
    ~ResultHandlerTest() override { setDictationManager(nullptr); }

    // Delivers one callback and runs what it scheduled.
    void deliver(std::optional<SpeechRecognitionResult> r, std::optional<PlatformError> error = std::nullopt)
    {
        handler.handleRecognition(r, error, continuation, task);
        queue.runUntilIdle();
    }

    TranscriptBuffer snapshot() { return buffer->run([](TranscriptBuffer& b) { return b; }); }

    fakes::ManualMainQueue queue;
    fakes::CapturedLog log;
    fakes::CapturedOutput output;
    RecordingManager manager;
    std::shared_ptr<TranscriptBufferActor> buffer = std::make_shared<TranscriptBufferActor>();
    std::vector<std::string> shown;
    SpeechRecognitionResultHandler handler{buffer, [this](const std::string& s) { shown.push_back(s); }, queue,
                                           queue.clock()};
    int resumes = 0;
    std::shared_ptr<PassContinuation> continuation =
        std::make_shared<PassContinuation>([this](std::optional<PlatformError>) { ++resumes; });
    std::shared_ptr<CountingTask> countingTask = std::make_shared<CountingTask>();
    std::shared_ptr<SpeechRecognitionTask> task = countingTask;
};

TEST_F(ResultHandlerTest, PartialResultWithoutConfidenceOnlyUpdatesTheTranscript)
{
    deliver(result("hello world", 0));
    EXPECT_EQ(snapshot().current, "hello world");
    EXPECT_EQ(snapshot().previous, "");
    EXPECT_EQ(snapshot().startTime, queue.clock().now());
    EXPECT_EQ(AppState::shared().transcript.get(), "hello world");
    EXPECT_TRUE(manager.inserted.empty());
    EXPECT_EQ(resumes, 0);
    EXPECT_EQ(shown, std::vector<std::string>{"hello world"});
    EXPECT_TRUE(log.contains("handleResult: [(\"hello world\", 0.0, 0.0)]"));
}

TEST_F(ResultHandlerTest, FinalResultIsPunctuatedInsertedOnceAndEndsThePass)
{
    deliver(result("what time is it", 0.3f, true));
    EXPECT_EQ(manager.inserted, std::vector<std::string>{"what time is it? "});
    EXPECT_EQ(resumes, 1);
    EXPECT_EQ(continuation, nullptr);
    EXPECT_EQ(countingTask->cancels, 1);
    EXPECT_EQ(snapshot().current, "");
    EXPECT_EQ(snapshot().previous, "");
    EXPECT_EQ(snapshot().lastResult.bestTranscription.formattedString, "what time is it");
    auto lines = output.lines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "currentText: s2 = what time is it? "), lines.end());
}

TEST_F(ResultHandlerTest, OwnPunctuationIsKeptAndAConfidentPartialCountsAsFinal)
{
    deliver(result("Hello.", 0.95f));
    EXPECT_EQ(manager.inserted, std::vector<std::string>{"Hello. "});
    EXPECT_EQ(resumes, 1);
    deliver(result("Still there", 0.9f));
    EXPECT_EQ(manager.inserted.size(), 1u);
}

TEST_F(ResultHandlerTest, ConfidentPartialCommitsAndOnlyTheNewPartIsInserted)
{
    deliver(result("good morning", 0.5f));
    EXPECT_EQ(snapshot().current, "good morning. ");
    EXPECT_EQ(snapshot().previous, "good morning. ");
    deliver(result("see you", 0, true));
    EXPECT_EQ(manager.inserted, std::vector<std::string>{"see you. "});
}

TEST_F(ResultHandlerTest, CurrentTextIsWhatFollowsTheCommittedText)
{
    buffer->run([](TranscriptBuffer& b) {
        b.previous = "one. ";
        b.current = "one. two. ";
    });
    EXPECT_EQ(buffer->currentText(), "two. ");
    buffer->run([](TranscriptBuffer& b) { b.previous = "elsewhere"; });
    EXPECT_EQ(buffer->currentText(), "");
    buffer->run([](TranscriptBuffer& b) { b.previous = ""; });
    EXPECT_EQ(buffer->currentText(), "one. two. ");
}

TEST_F(ResultHandlerTest, ErrorWithoutResultEndsThePassAndKeepsTheTexts)
{
    deliver(result("half a", 0));
    deliver(std::nullopt, PlatformError{"speech", 1, "No speech detected"});
    EXPECT_EQ(resumes, 1);
    EXPECT_EQ(countingTask->cancels, 1);
    EXPECT_TRUE(manager.inserted.empty());
    EXPECT_EQ(snapshot().current, "half a");
}

TEST_F(ResultHandlerTest, ErrorWithResultSettlesIt)
{
    deliver(result("last words", 0), PlatformError{"speech", 2, "interrupted"});
    EXPECT_EQ(manager.inserted, std::vector<std::string>{"last words. "});
}

TEST_F(ResultHandlerTest, WithoutADictationManagerNothingIsDeliveredButThePassStillEnds)
{
    setDictationManager(nullptr);
    deliver(result("lost words", 0, true));
    EXPECT_TRUE(manager.inserted.empty());
    EXPECT_EQ(resumes, 1);
    EXPECT_EQ(snapshot().current, "");
}

TEST(ResultHandlerLifetime, ScheduledWorkIsDroppedWhenTheHandlerGoes)
{
    fakes::ManualMainQueue queue;
    RecordingManager manager;
    setDictationManager(&manager);
    int shown = 0;
    std::shared_ptr<PassContinuation> continuation;
    std::shared_ptr<SpeechRecognitionTask> task;
    {
        SpeechRecognitionResultHandler handler(std::make_shared<TranscriptBufferActor>(),
                                               [&](const std::string&) { ++shown; }, queue, queue.clock());
        handler.handleRecognition(result("gone", 0, true), std::nullopt, continuation, task);
    }
    queue.runUntilIdle();
    setDictationManager(nullptr);
    EXPECT_EQ(shown, 0);
    EXPECT_TRUE(manager.inserted.empty());
}

} // namespace
} // namespace brindlemoor
