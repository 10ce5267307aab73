#pragma once

#include "platform/keyboard_events.h"

#include <memory>
#include <mutex>
#include <vector>

struct _XDisplay;

namespace brindlemoor {

// Synthetic keys on the X display through the XTest extension. A key is found in the current
// keyboard layout by its symbol; a symbol the layout lacks is put on a spare key code for the
// moment it is typed. Flags set on an event are the only modifiers it carries: modifier keys
// the user holds are let go for it and pressed again right after. Safe from any thread.
class XTestKeyboardEvents final : public KeyboardEvents {
public:
    // Opens the display named by DISPLAY.
    XTestKeyboardEvents();
    ~XTestKeyboardEvents() override;

    // False when there is no X display or it lacks the XTest extension.
    bool connected() const { return display_ != nullptr; }

    std::optional<KeyboardEvent> createKeyboardEvent(std::uint16_t virtualKey, bool keyDown) override;
    void post(const KeyboardEvent& event) override;

private:
    // The X types, without pulling the X headers (and their macros) into every includer.
    using KeyCode = unsigned char;
    using KeySym = unsigned long;

    struct KeyPlace {
        KeyCode keyCode = 0;
        bool needsShift = false;
        bool borrowed = false;
    };

    std::optional<KeyPlace> placeFor(KeySym symbol);
    std::optional<KeyCode> borrowSpareKeyCode(KeySym symbol);
    void giveBackSpareKeyCode();
    void postWithModifiers(KeyCode keyCode, bool keyDown, unsigned wantedModifiers);

    std::mutex mutex_;
    _XDisplay* display_ = nullptr;
    // The spare key code lent to a symbol while its key is down, if any.
    std::optional<KeyCode> borrowedKeyCode_;
};

} // namespace brindlemoor
