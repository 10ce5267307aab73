#pragma once

namespace brindlemoor {

class AccessibilityElement;
class MainMenuViewModel;

// Ctrl+Shift+Return: types a newline into the chosen dictation target.
class EnterHotKeyHandler {
public:
    static void handleHotKey();
    static void handle(MainMenuViewModel& model);
    // Activates the target's application, types the newline a moment later, then returns to the
    // window that had the focus.
    static void deliverNewline(const AccessibilityElement& targetWindow);
};

} // namespace brindlemoor
