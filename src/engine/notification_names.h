#pragma once

#include <string_view>

namespace brindlemoor::notification_names {

// Posted by the toggle hot key and the floating window's microphone button.
inline constexpr std::string_view toggleDictation = "ToggleDictationNotification";
// Posted by the live recogniser after too many rapid passes.
inline constexpr std::string_view restartDictation = "restartDictationNotification";
// Ends the live recogniser's current pass, so the next one picks the language again.
inline constexpr std::string_view stopLiveSpeechRecognizer = "stopLiveSpeechRecognizerNotification";
// Posted by the speech detector; user info "isRecording": Boolean.
inline constexpr std::string_view didChangeRecordingStatus = "DidChangeRecordingStatus";
inline constexpr std::string_view isRecordingKey = "isRecording";
// Posted when the chosen dictation target changes.
inline constexpr std::string_view manualDictationTargetChanged = "ManualDictationTargetChanged";
// Posted by the audio device monitor; nobody observes it.
inline constexpr std::string_view defaultAudioInputDeviceChanged = "DefaultAudioInputDeviceChangedNotification";

} // namespace brindlemoor::notification_names
