#pragma once

#include "platform/speech_recognition_service.h"

#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace brindlemoor::fakes {

// Keeps the audio a request hands to its task.
class FakeRequestConsumer final : public AudioBufferRecognitionRequest::Consumer {
public:
    void receive(const AudioPcmBuffer&) override { ++buffers; }
    void endOfAudio() override { ended = true; }

    int buffers = 0;
    bool ended = false;
};

// A task the test drives: it records finish and cancel, and `deliver` calls the handler as the
// platform would on the main queue (the test's thread).
class FakeRecognitionTask final : public SpeechRecognitionTask {
public:
    FakeRecognitionTask(std::shared_ptr<AudioBufferRecognitionRequest> request, RecognitionResultHandler handler)
        : request(std::move(request)), handler(std::move(handler))
    {
    }

    void finish() override { ++finishCount; }
    void cancel() override { ++cancelCount; }

    void deliver(const std::optional<SpeechRecognitionResult>& result, const std::optional<PlatformError>& error = {})
    {
        handler(result, error);
    }
    void deliverFinal(const std::string& text, float confidence = 0.8f)
    {
        deliver(SpeechRecognitionResult{true, Transcription{text, {TranscriptionSegment{text, 0, 1, confidence}}}});
    }
    void deliverPartial(const std::string& text, float confidence = 0)
    {
        deliver(SpeechRecognitionResult{false, Transcription{text, {TranscriptionSegment{text, 0, 1, confidence}}}});
    }
    void deliverError(const std::string& description = "No speech detected")
    {
        deliver(std::nullopt, PlatformError{kSpeechRecognitionErrorDomain,
                                            static_cast<int>(SpeechRecognitionErrorCode::noSpeech), description});
    }

    std::shared_ptr<AudioBufferRecognitionRequest> request;
    RecognitionResultHandler handler;
    std::shared_ptr<FakeRequestConsumer> audio = std::make_shared<FakeRequestConsumer>();
    int finishCount = 0;
    int cancelCount = 0;
};

class FakeLocaleRecognizer final : public LocaleRecognizer {
public:
    explicit FakeLocaleRecognizer(std::string locale, std::vector<std::shared_ptr<FakeRecognitionTask>>& tasks)
        : locale_(std::move(locale)), tasks_(tasks)
    {
    }

    const std::string& localeIdentifier() const override { return locale_; }
    bool isAvailable() const override { return true; }
    void setDefaultTaskHint(SpeechRecognitionTaskHint hint) override { taskHint = hint; }

    std::shared_ptr<SpeechRecognitionTask> recognitionTask(std::shared_ptr<AudioBufferRecognitionRequest> request,
                                                           RecognitionResultHandler handler) override
    {
        auto task = std::make_shared<FakeRecognitionTask>(request, std::move(handler));
        request->attach(task->audio);
        tasks_.push_back(task);
        return task;
    }
    std::shared_ptr<SpeechRecognitionTask> recognitionTask(std::shared_ptr<FileRecognitionRequest>,
                                                           RecognitionResultHandler handler) override
    {
        auto task = std::make_shared<FakeRecognitionTask>(nullptr, std::move(handler));
        tasks_.push_back(task);
        return task;
    }

    SpeechRecognitionTaskHint taskHint = SpeechRecognitionTaskHint::unspecified;

private:
    std::string locale_;
    std::vector<std::shared_ptr<FakeRecognitionTask>>& tasks_;
};

// Recognisers for the locales the test lists; answers authorisation with the scripted status.
class FakeSpeechRecognitionService final : public SpeechRecognitionService {
public:
    explicit FakeSpeechRecognitionService(std::set<std::string> locales = {"en-US"}) : locales(std::move(locales)) {}

    SpeechRecognizerAuthorizationStatus authorizationStatus() const override { return status; }
    void requestAuthorization(std::function<void(SpeechRecognizerAuthorizationStatus)> answer) override
    {
        ++authorizationRequests;
        answer(status);
    }
    std::shared_ptr<LocaleRecognizer> recognizer(const std::string& locale) override
    {
        requestedLocales.push_back(locale);
        if (!locales.count(locale))
            return nullptr;
        return std::make_shared<FakeLocaleRecognizer>(locale, tasks);
    }

    std::shared_ptr<FakeRecognitionTask> lastTask() const { return tasks.empty() ? nullptr : tasks.back(); }

    SpeechRecognizerAuthorizationStatus status = SpeechRecognizerAuthorizationStatus::authorized;
    std::set<std::string> locales;
    std::vector<std::string> requestedLocales;
    std::vector<std::shared_ptr<FakeRecognitionTask>> tasks;
    int authorizationRequests = 0;
};

} // namespace brindlemoor::fakes
