#pragma once

#include "platform/audio_buffer_recognition_request.h"
#include "platform/file_recognition_request.h"
#include "platform/platform_error.h"
#include "platform/speech_recognition_result.h"
#include "platform/speech_recognition_task.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace brindlemoor {

// Whether the user lets the application use speech recognition; the values are the ones the
// permission prompt branches on.
enum class SpeechRecognizerAuthorizationStatus : int {
    notDetermined = 0,
    denied = 1,
    restricted = 2,
    authorized = 3,
};

// What a request is for; a recogniser may tune itself to it.
enum class SpeechRecognitionTaskHint { unspecified, dictation, search, confirmation };

// Errors the recognisers report through a task's handler (domain `kSpeechRecognitionErrorDomain`).
inline constexpr const char* kSpeechRecognitionErrorDomain = "SpeechRecognition";
enum class SpeechRecognitionErrorCode : int {
    noSpeech = 1,           // "No speech detected"
    noRecognizer = 2,       // no recogniser for the locale
    modelUnavailable = 3,   // the locale's model could not be loaded
    audioFileUnreadable = 4,
};

// Called with a result, an error, or (rarely) both; always on the main queue.
using RecognitionResultHandler =
    std::function<void(const std::optional<SpeechRecognitionResult>& result, const std::optional<PlatformError>& error)>;

// A recogniser for one locale. Tasks deliver partial results while audio comes in, then one
// final result, or an error when nothing was recognised.
class LocaleRecognizer {
public:
    virtual ~LocaleRecognizer() = default;

    virtual const std::string& localeIdentifier() const = 0;
    virtual bool isAvailable() const = 0;
    virtual void setDefaultTaskHint(SpeechRecognitionTaskHint hint) = 0;

    virtual std::shared_ptr<SpeechRecognitionTask> recognitionTask(std::shared_ptr<AudioBufferRecognitionRequest> request,
                                                                   RecognitionResultHandler handler) = 0;
    // The file's audio ends at the end of the file.
    virtual std::shared_ptr<SpeechRecognitionTask> recognitionTask(std::shared_ptr<FileRecognitionRequest> request,
                                                                   RecognitionResultHandler handler) = 0;
};

// The speech-recognition service of the platform: permission, and recognisers by locale.
class SpeechRecognitionService {
public:
    virtual ~SpeechRecognitionService() = default;

    virtual SpeechRecognizerAuthorizationStatus authorizationStatus() const = 0;
    // Asks the user when needed; the answer may come on any thread.
    virtual void requestAuthorization(std::function<void(SpeechRecognizerAuthorizationStatus)> answer) = 0;

    // A recogniser for a locale identifier such as "en-US" or "de", or nullptr when the
    // platform has none for it.
    virtual std::shared_ptr<LocaleRecognizer> recognizer(const std::string& localeIdentifier) = 0;
};

} // namespace brindlemoor
