#pragma once

namespace brindlemoor {

// Ctrl+1: toggles dictation and brings the floating window to the front while dictating.
class DictateHotKeyHandler {
public:
    static void handleHotKey();
};

} // namespace brindlemoor
