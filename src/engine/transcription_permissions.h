#pragma once

#include "platform/alert_presenter.h"
#include "platform/main_queue.h"
#include "platform/settings_opener.h"
#include "platform/speech_recognition_service.h"

#include <functional>

namespace brindlemoor {

// Asks for speech-recognition access. Answers true when it is granted; when it is refused,
// first explains in an alert that can open the settings. The answer comes once, on the main
// queue, after the alert has closed.
void requestTranscriptionPermissions(SpeechRecognitionService& speech, AlertPresenter& alerts, SettingsOpener& settings,
                                     std::function<void(bool granted)> completion,
                                     MainQueue& mainQueue = MainQueue::main());

// "Speech Recognition Authorization", with "OK" and "Open System Preferences".
Alert makeSpeechAuthorizationAlert();

void openSpeechRecognitionSettings(SettingsOpener& settings);

// Queues the "Microphone Access Required" alert on the main queue; its first button opens the
// microphone settings.
void showMicrophoneAccessAlert(AlertPresenter& alerts, SettingsOpener& settings,
                               MainQueue& mainQueue = MainQueue::main());

} // namespace brindlemoor
