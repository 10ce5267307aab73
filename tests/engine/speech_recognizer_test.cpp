#include "engine/speech_recognizer.h"

#include "engine/speech_recognition_permission_error.h"
#include "fakes/manual_main_queue.h"
#include "fakes/recording_settings_opener.h"
#include "fakes/scripted_alert_presenter.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <future>
#include <set>

namespace brindlemoor {
namespace {

using namespace std::chrono_literals;

class NoTask final : public SpeechRecognitionTask {
public:
    void finish() override {}
    void cancel() override {}
};

// A recogniser of files whose handler the test drives once the recognition has started.
class ScriptedFileRecognition final : public SpeechRecognitionService, public LocaleRecognizer {
public:
    SpeechRecognizerAuthorizationStatus authorizationStatus() const override { return status; }
    void requestAuthorization(std::function<void(SpeechRecognizerAuthorizationStatus)> answer) override
    {
        answer(status);
    }
    std::shared_ptr<LocaleRecognizer> recognizer(const std::string& locale) override
    {
        std::lock_guard lock(mutex_);
        requestedLocale = locale;
        if (!locales.contains(locale))
            return nullptr;
        return std::shared_ptr<LocaleRecognizer>(std::shared_ptr<void>(), this);
    }

    const std::string& localeIdentifier() const override { return requestedLocale; }
    bool isAvailable() const override { return true; }
    void setDefaultTaskHint(SpeechRecognitionTaskHint) override {}
    std::shared_ptr<SpeechRecognitionTask> recognitionTask(std::shared_ptr<AudioBufferRecognitionRequest>,
                                                           RecognitionResultHandler) override
    {
        return nullptr;
    }
    std::shared_ptr<SpeechRecognitionTask> recognitionTask(std::shared_ptr<FileRecognitionRequest> request,
                                                           RecognitionResultHandler handler) override
    {
        std::lock_guard lock(mutex_);
        url = request->url();
        handler_ = std::move(handler);
        started_.notify_all();
        return std::make_shared<NoTask>();
    }

    std::string lastLocale()
    {
        std::lock_guard lock(mutex_);
        return requestedLocale;
    }
    void forgetLocale()
    {
        std::lock_guard lock(mutex_);
        requestedLocale.clear();
        handler_ = nullptr;
    }

    RecognitionResultHandler waitForRecognition()
    {
        std::unique_lock lock(mutex_);
        started_.wait(lock, [this] { return handler_ != nullptr; });
        return handler_;
    }

    SpeechRecognizerAuthorizationStatus status = SpeechRecognizerAuthorizationStatus::authorized;
    std::set<std::string> locales = {"en-US"};
    std::string requestedLocale;
    std::filesystem::path url;

private:
    std::mutex mutex_;
    std::condition_variable started_;
    RecognitionResultHandler handler_;
};

SpeechRecognitionResult result(const std::string& text, bool isFinal)
{
    SpeechRecognitionResult result;
    result.isFinal = isFinal;
    result.bestTranscription.formattedString = text;
    return result;
}

class SpeechRecognizerTest : public ::testing::Test {
protected:
    // Transcribes on a task of its own while the test thread plays the main queue.
    std::future<TranscriptionResult> transcribe(std::optional<std::string> keyboardLanguage = std::nullopt)
    {
        recognizer_ = std::make_unique<SpeechRecognizer>(SpeechRecognizer::Services{
            speech_, alerts_, settings_, [keyboardLanguage] { return keyboardLanguage; }});
        auto answer = std::async(std::launch::async, [this] { return recognizer_->transcribe("/tmp/utterance.caf"); });
        while (answer.wait_for(0s) != std::future_status::ready && !speechStarted()) {
            queue_.runUntilIdle();
            std::this_thread::yield();
        }
        return answer;
    }
    bool speechStarted() { return !speech_.lastLocale().empty(); }

    fakes::ManualMainQueue queue_;
    ScriptedFileRecognition speech_;
    fakes::ScriptedAlertPresenter alerts_;
    fakes::RecordingSettingsOpener settings_;
    std::unique_ptr<SpeechRecognizer> recognizer_;
};

TEST_F(SpeechRecognizerTest, AnswersTheFinalTextAndIgnoresWhatFollows)
{
    auto answer = transcribe(std::string("en-US"));
    auto handler = speech_.waitForRecognition();
    EXPECT_EQ(speech_.url, "/tmp/utterance.caf");
    handler(result("hello", false), std::nullopt);
    EXPECT_EQ(answer.wait_for(0s), std::future_status::timeout);
    handler(result("hello world", true), std::nullopt);
    handler(std::nullopt, PlatformError{kSpeechRecognitionErrorDomain, 1, "No speech detected"});
    handler(result("another", true), std::nullopt);
    EXPECT_EQ(std::get<std::string>(answer.get()), "hello world");
    EXPECT_TRUE(alerts_.shown.empty());
}

TEST_F(SpeechRecognizerTest, ARecognitionErrorIsPassedOnAndWinsOverLaterResults)
{
    auto answer = transcribe(std::string("en-US"));
    auto handler = speech_.waitForRecognition();
    handler(std::nullopt, PlatformError{kSpeechRecognitionErrorDomain, 1, "No speech detected"});
    handler(result("late", true), std::nullopt);
    const auto error = std::get<PlatformError>(answer.get());
    EXPECT_EQ(error.domain, kSpeechRecognitionErrorDomain);
    EXPECT_EQ(error.description, "No speech detected");
}

TEST_F(SpeechRecognizerTest, UsesTheKeyboardLanguageOrAmericanEnglish)
{
    speech_.locales = {"en-US", "de-DE"};
    auto german = transcribe(std::string("de-DE"));
    speech_.waitForRecognition()(result("hallo", true), std::nullopt);
    EXPECT_EQ(std::get<std::string>(german.get()), "hallo");
    EXPECT_EQ(speech_.lastLocale(), "de-DE");

    speech_.forgetLocale();
    auto fallback = transcribe();
    speech_.waitForRecognition()(result("hello", true), std::nullopt);
    fallback.get();
    EXPECT_EQ(speech_.lastLocale(), "en-US");
}

TEST_F(SpeechRecognizerTest, WithoutARecogniserForTheLanguageItFailsAtOnce)
{
    auto answer = transcribe(std::string("sv-SE"));
    const auto error = std::get<PlatformError>(answer.get());
    EXPECT_EQ(error.domain, kSpeechRecognitionErrorDomain);
    EXPECT_EQ(error.code, static_cast<int>(SpeechRecognitionErrorCode::noRecognizer));
}

TEST_F(SpeechRecognizerTest, ARefusalShowsTheAlertAndFailsAsDenied)
{
    for (auto status : {SpeechRecognizerAuthorizationStatus::denied, SpeechRecognizerAuthorizationStatus::restricted,
                        SpeechRecognizerAuthorizationStatus::notDetermined}) {
        speech_.status = status;
        alerts_.answers = {kAlertSecondButtonReturn};
        auto answer = transcribe();
        const auto error = std::get<PlatformError>(answer.get());
        EXPECT_EQ(error.domain, kSpeechRecognitionPermissionErrorDomain);
        EXPECT_EQ(error.code, static_cast<int>(SpeechRecognitionPermissionError::authorizationDenied));
    }
    EXPECT_EQ(alerts_.shown.size(), 3u);
    EXPECT_EQ(alerts_.shown[0].messageText, "Speech Recognition Authorization");
    EXPECT_EQ(settings_.opened.size(), 3u);
    EXPECT_FALSE(speechStarted());
}

} // namespace
} // namespace brindlemoor
