#pragma once

#include "platform/alert_presenter.h"
#include "platform/platform_error.h"

namespace brindlemoor {

// The alert that explains a refused speech-recognition permission; its second button opens the
// speech-recognition privacy settings.
inline Alert makeSpeechAuthorizationAlert()
{
    Alert alert;
    alert.messageText = "Speech Recognition Authorization";
    alert.informativeText = "This application requires speech recognition access. Please enable it in System "
                            "Preferences > Security & Privacy > Privacy > Speech Recognition.";
    alert.style = AlertStyle::warning;
    alert.buttons = {"OK", "Open System Preferences"};
    return alert;
}

// Errors of a refused speech-recognition permission (domain "SpeechRecognitionPermissionError").
inline constexpr const char* kSpeechRecognitionPermissionErrorDomain = "SpeechRecognitionPermissionError";
enum class SpeechRecognitionPermissionErrorCode : int {
    authorizationDenied = 0,
    authorizationRestricted = 1,
    authorizationNotDetermined = 2,
    unknownAuthorizationStatus = 3,
};

} // namespace brindlemoor
