#include "engine/speech_recognition_result_handler.h"

#include "engine/app_state.h"
#include "engine/dictation_manager_reference.h"
#include "engine/sentence_completion.h"

#include <charconv>

namespace brindlemoor {
namespace {

std::string numberText(double value)
{
    char buffer[32];
    auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    std::string text(buffer, end);
    if (text.find_first_of(".en") == std::string::npos)
        text += ".0";
    return text;
}

// The segments as a list of (substring, timestamp, confidence).
std::string segmentsText(const Transcription& transcription)
{
    std::string text = "[";
    for (std::size_t i = 0; i < transcription.segments.size(); ++i) {
        const auto& segment = transcription.segments[i];
        if (i > 0)
            text += ", ";
        text += "(\"" + segment.substring + "\", " + numberText(segment.timestamp) + ", " +
                numberText(segment.confidence) + ")";
    }
    return text + "]";
}

} // namespace

SpeechRecognitionResultHandler::SpeechRecognitionResultHandler(std::shared_ptr<TranscriptBufferActor> transcriptBuffer,
                                                               OnResult onResult, MainQueue& mainQueue, Clock& clock)
    : transcriptBuffer_(std::move(transcriptBuffer)),
      onResult_(std::move(onResult)),
      mainQueue_(mainQueue),
      clock_(clock),
      logger_(Logger::forCategory("SpeechRecognitionResultHandler"))
{
}

void SpeechRecognitionResultHandler::handleRecognition(const std::optional<SpeechRecognitionResult>& result,
                                                       const std::optional<PlatformError>& error,
                                                       std::shared_ptr<PassContinuation>& continuation,
                                                       std::shared_ptr<SpeechRecognitionTask>& recognitionTask)
{
    std::weak_ptr<int> alive = lifetime_;
    bool final = false;
    if (result) {
        AppState::shared().transcript.set(lastSentence(result->bestTranscription.formattedString));
        final = isFinalResult(*result);
        if (error || final) {
            mainQueue_.post([this, alive, settled = *result] {
                if (alive.expired())
                    return;
                handleResult(settled);
                insertNewText();
                transcriptBuffer_->run([](TranscriptBuffer& buffer) {
                    buffer.previous.clear();
                    buffer.current.clear();
                });
            });
        }
    }
    if ((result && final) || error) {
        if (continuation) {
            continuation->resume();
            continuation.reset();
        }
        if (recognitionTask)
            recognitionTask->cancel();
    }
    mainQueue_.post([this, alive] {
        if (alive.expired())
            return;
        onResult_(transcriptBuffer_->run([](TranscriptBuffer& buffer) { return buffer.current; }));
    });
}

bool SpeechRecognitionResultHandler::isFinalResult(const SpeechRecognitionResult& result)
{
    const auto& segments = result.bestTranscription.segments;
    bool final = result.isFinal || (!segments.empty() && segments.front().confidence > 0.9f);
    transcriptBuffer_->run([&](TranscriptBuffer& buffer) { buffer.startTime = clock_.now(); });
    if (!final)
        handlePartialResult(result);
    transcriptBuffer_->run([&](TranscriptBuffer& buffer) { buffer.lastResult = result; });
    return final;
}

void SpeechRecognitionResultHandler::handlePartialResult(const SpeechRecognitionResult& result)
{
    logResult(result);
    const auto& segments = result.bestTranscription.segments;
    if (!segments.empty() && segments.front().confidence > 0.0f) {
        updateCurrentText(result, false);
        return;
    }
    transcriptBuffer_->run([&](TranscriptBuffer& buffer) {
        buffer.current = buffer.previous + result.bestTranscription.formattedString;
    });
}

void SpeechRecognitionResultHandler::handleResult(const SpeechRecognitionResult& result)
{
    logResult(result);
    updateCurrentText(result, true);
}

void SpeechRecognitionResultHandler::updateCurrentText(const SpeechRecognitionResult& result, bool final)
{
    const std::string& formatted = result.bestTranscription.formattedString;
    transcriptBuffer_->run([&](TranscriptBuffer& buffer) {
        std::string combined = buffer.previous + formatted;
        logger_.info("currentText = %s", combined);
        buffer.current = formatted.empty() || endsWithPunctuation(formatted) ? combined : punctuateLastSentence(combined);
        buffer.current += ' ';
        if (!final)
            buffer.previous = buffer.current;
    });
}

void SpeechRecognitionResultHandler::insertNewText()
{
    std::string text = transcriptBuffer_->currentText();
    if (text.empty())
        return;
    if (TextInsertionEntry* manager = dictationManager())
        manager->insertText(text);
}

void SpeechRecognitionResultHandler::logResult(const SpeechRecognitionResult& result) const
{
    logger_.info("handleResult: %s", segmentsText(result.bestTranscription));
}

} // namespace brindlemoor
