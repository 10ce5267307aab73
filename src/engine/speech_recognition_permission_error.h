#pragma once

#include <string>

namespace brindlemoor {

// Why speech recognition may not be used.
enum class SpeechRecognitionPermissionError {
    authorizationDenied,
    authorizationRestricted,
    authorizationNotDetermined,
    unknownAuthorizationStatus,
};

// A sentence a user can read.
std::string localizedDescription(SpeechRecognitionPermissionError error);

} // namespace brindlemoor
