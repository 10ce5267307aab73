#pragma once

namespace brindlemoor {

// The settings a refused permission points the user to.
enum class SettingsPane { microphonePrivacy, speechRecognitionPrivacy };

// Opens the desktop's settings at a pane; does nothing where the desktop has no such settings.
class SettingsOpener {
public:
    virtual ~SettingsOpener() = default;
    virtual void open(SettingsPane pane) = 0;
};

} // namespace brindlemoor
