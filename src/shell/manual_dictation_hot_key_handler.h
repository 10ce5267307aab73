#pragma once

namespace brindlemoor {

class MainMenuView;

// Ctrl+2: makes the focused element the dictation target, or, while one is chosen, returns to
// the active application.
class ManualDictationHotKeyHandler {
public:
    static void handleHotKey();
    // The switch itself, on the main thread.
    static void switchTarget(MainMenuView& view);
};

} // namespace brindlemoor
