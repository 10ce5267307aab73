#include "engine/speech_recognition_permission_error.h"

namespace brindlemoor {

std::string localizedDescription(SpeechRecognitionPermissionError error)
{
    switch (error) {
    case SpeechRecognitionPermissionError::authorizationDenied:
        return "Speech recognition access was denied.";
    case SpeechRecognitionPermissionError::authorizationRestricted:
        return "Speech recognition is restricted on this computer.";
    case SpeechRecognitionPermissionError::authorizationNotDetermined:
        return "Speech recognition access has not been granted yet.";
    case SpeechRecognitionPermissionError::unknownAuthorizationStatus:
        break;
    }
    return "Speech recognition access is in an unknown state.";
}

} // namespace brindlemoor
