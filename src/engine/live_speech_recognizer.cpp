#include "engine/live_speech_recognizer.h"

#include "engine/app_state.h"
#include "engine/notification_names.h"
#include "engine/speech_recognition_permission_error.h"
#include "engine/transcription_permissions.h"
#include "platform/standard_output.h"

#include <chrono>

namespace brindlemoor {

namespace {

constexpr std::uint32_t kTapBufferSize = 512;
constexpr float kSilenceThreshold = 0.005f;
constexpr auto kPauseBetweenPasses = std::chrono::milliseconds(50);
constexpr double kRapidPassSeconds = 0.2;
constexpr long kRapidPassLimit = 21;

} // namespace

LiveSpeechRecognizer::LiveSpeechRecognizer(SpeechRecognitionService& speechService, AudioEngineFactory makeAudioEngine,
                                           AlertPresenter& alerts, SettingsOpener& settings, MainQueue& mainQueue,
                                           NotificationCenter& center)
    : getLocale([] { return AppState::shared().recognitionLocale(); }),
      speechService_(speechService),
      makeAudioEngine_(std::move(makeAudioEngine)),
      alerts_(alerts),
      settings_(settings),
      mainQueue_(mainQueue),
      center_(center),
      logger_(Logger::forCategory("LiveSpeechRecognizer")),
      speechRecognizer_(speechService.recognizer("en-US")),
      audioEngine_(makeAudioEngine_())
{
    stopObservation_ = center_.observe(std::string(notification_names::stopLiveSpeechRecognizer),
                                       [this](const Notification&) { handleStopNotification(); });
    resultHandler_ = std::make_unique<SpeechRecognitionResultHandler>(
        transcriptBuffer_, [](const std::string& text) { StandardOutput::printLine("Transcription: " + text); },
        mainQueue_, mainQueue_.clock());
    silenceDetector_ = std::make_unique<AudioSilenceDetector>(transcriptBuffer_, logger_, mainQueue_.clock());
}

LiveSpeechRecognizer::~LiveSpeechRecognizer()
{
    stopObservation_.cancel();
    lifetime_.reset();
    if (recognitionTask_)
        recognitionTask_->cancel();
    audioEngine_.reset();
}

void LiveSpeechRecognizer::start()
{
    logger_.info("System start");
    audioEngine_ = makeAudioEngine_();
    isRunning_ = true;
    if (loopActive_)
        return;
    loopActive_ = true;
    std::weak_ptr<int> alive = lifetime_;
    mainQueue_.post([this, alive] {
        if (!alive.expired())
            runLoop();
    });
}

void LiveSpeechRecognizer::runLoop()
{
    std::weak_ptr<int> alive = lifetime_;
    requestTranscriptionPermissions(
        speechService_, alerts_, settings_,
        [this, alive](bool granted) {
            if (alive.expired())
                return;
            if (!granted) {
                logger_.error("%s", localizedDescription(SpeechRecognitionPermissionError::authorizationDenied));
                loopActive_ = false;
                return;
            }
            errorCount_ = 0;
            runPass();
        },
        mainQueue_);
}

void LiveSpeechRecognizer::runPass()
{
    if (!isRunning_) {
        loopActive_ = false;
        return;
    }
    const auto started = mainQueue_.clock().now();
    std::weak_ptr<int> alive = lifetime_;
    listen([this, alive, started] {
        if (alive.expired())
            return;
        const double duration = secondsBetween(started, mainQueue_.clock().now());
        errorCount_ = restartAfterRapidErrors(trackLoopDuration(duration, errorCount_));
        // Posted, so that passes ending at once cannot pile up on the stack.
        mainQueue_.post([this, alive] {
            if (!alive.expired())
                runPass();
        });
    });
}

void LiveSpeechRecognizer::listen(PassEnded passEnded)
{
    const std::string locale = getLocale();
    audioEngine_ = makeAudioEngine_();
    speechRecognizer_ = speechService_.recognizer(locale);
    if (speechRecognizer_)
        speechRecognizer_->setDefaultTaskHint(SpeechRecognitionTaskHint::dictation);
    logger_.info("listen: begin: lang = %s", locale);
    prepareRecognitionRequest();

    std::weak_ptr<int> alive = lifetime_;
    startRecognitionTask(locale, [this, alive, passEnded](std::optional<PlatformError> error) {
        if (alive.expired())
            return;
        auto end = [this, alive, passEnded] {
            if (alive.expired())
                return;
            logger_.info("listen: end, isRunning = %{bool}d, isAvailable=%{bool}d", isRunning_,
                         speechRecognizer_ && speechRecognizer_->isAvailable());
            passEnded();
        };
        if (error) {
            logger_.error("Failed to start recording: %s", error->localizedDescription());
            end();
        } else {
            mainQueue_.postAfter(kPauseBetweenPasses, end);
        }
    });
}

void LiveSpeechRecognizer::prepareRecognitionRequest()
{
    if (recognitionTask_) {
        recognitionTask_->finish();
        recognitionTask_.reset();
    }
    recognitionRequest_ = std::make_shared<AudioBufferRecognitionRequest>();
    recognitionRequest_->shouldReportPartialResults = true;
    recognitionRequest_->addsPunctuation = true;
}

void LiveSpeechRecognizer::startRecognitionTask(const std::string& locale, TaskEnded taskEnded)
{
    const std::uint64_t generation = ++passGeneration_;
    std::weak_ptr<int> alive = lifetime_;
    MainQueue& mainQueue = mainQueue_;
    // The pass goes on in a task of its own, after the callback that settled it has returned.
    continuation_ = std::make_shared<PassContinuation>(
        [&mainQueue, alive, taskEnded = std::move(taskEnded)](std::optional<PlatformError> error) {
            mainQueue.post([alive, taskEnded, error] {
                if (!alive.expired())
                    taskEnded(error);
            });
        });

    if (!speechRecognizer_) {
        resumeContinuation(PlatformError{kSpeechRecognitionErrorDomain,
                                         static_cast<int>(SpeechRecognitionErrorCode::noRecognizer),
                                         "Speech recognition is not available for the language " + locale + "."});
        return;
    }

    auto request = recognitionRequest_;
    recognitionTask_ = speechRecognizer_->recognitionTask(
        request, [this, alive, generation](const std::optional<SpeechRecognitionResult>& result,
                                           const std::optional<PlatformError>& error) {
            if (alive.expired())
                return;
            if (generation == passGeneration_) {
                resultHandler_->handleRecognition(result, error, continuation_, recognitionTask_);
            } else {
                std::shared_ptr<PassContinuation> noContinuation;
                std::shared_ptr<SpeechRecognitionTask> noTask;
                resultHandler_->handleRecognition(result, error, noContinuation, noTask);
            }
            StandardOutput::print(".");
        });

    const AudioFormat format = audioEngine_->inputFormat();
    AudioSilenceDetector* detector = silenceDetector_.get();
    audioEngine_->installTap(kTapBufferSize, format,
                             [&mainQueue, alive, request, detector](const AudioPcmBuffer& buffer) {
                                 request->append(buffer);
                                 mainQueue.post([alive, request, detector, buffer] {
                                     if (!alive.expired() && detector->shouldEndAudio(buffer, kSilenceThreshold))
                                         request->endAudio();
                                 });
                             });

    if (auto error = audioEngine_->start()) {
        logger_.error("Audio engine start error: %s", error->localizedDescription());
        resumeContinuation(std::move(error));
        return;
    }
    mainQueue_.post([alive, buffer = transcriptBuffer_] {
        if (!alive.expired())
            buffer->run([](TranscriptBuffer& transcript) { transcript.startTime.reset(); });
    });
}

void LiveSpeechRecognizer::resumeContinuation(std::optional<PlatformError> error)
{
    if (auto continuation = std::exchange(continuation_, nullptr))
        continuation->resume(std::move(error));
}

void LiveSpeechRecognizer::stop()
{
    logger_.info("System stop");
    isRunning_ = false;
    if (recognitionRequest_)
        recognitionRequest_->endAudio();
    if (recognitionTask_) {
        recognitionTask_->finish();
        recognitionTask_.reset();
    }
    audioEngine_->removeTap();
    audioEngine_->reset();
    audioEngine_->stop();
}

void LiveSpeechRecognizer::handleStopNotification()
{
    if (recognitionRequest_)
        recognitionRequest_->endAudio();
}

void LiveSpeechRecognizer::speechRecognizerAvailabilityDidChange(bool available)
{
    if (!available)
        logger_.error("availabilityDidChange: %{bool}d", available);
}

long LiveSpeechRecognizer::trackLoopDuration(double duration, long count)
{
    logger_.info("Loop duration: %f seconds", duration);
    if (duration < kRapidPassSeconds) {
        ++count;
        logger_.error("Loop too fast: %f seconds, errors: %ld", duration, count);
    } else {
        count = 0;
    }
    return count;
}

long LiveSpeechRecognizer::restartAfterRapidErrors(long count)
{
    if (count >= kRapidPassLimit) {
        logger_.error("Too many rapid errors: %ld", count);
        count = 0;
        NotificationCenter& center = center_;
        mainQueue_.post([&center] { center.post(std::string(notification_names::restartDictation)); });
    }
    return count;
}

} // namespace brindlemoor
