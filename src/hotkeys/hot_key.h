#pragma once

#include "hotkeys/key.h"
#include "hotkeys/key_combo.h"
#include "hotkeys/modifier_flags.h"
#include "hotkeys/uuid.h"

#include <cstdint>
#include <functional>

namespace brindlemoor {

// A key combination that works system-wide while this object lives: pressing it anywhere
// calls the key-down handler on the main queue, releasing it the key-up handler. Created and
// used on the main thread; it registers itself when created and unregisters when destroyed.
class HotKey {
public:
    using Handler = std::function<void()>;

    HotKey(KeyCombo keyCombo, Handler keyDownHandler = {}, Handler keyUpHandler = {});
    HotKey(std::uint32_t carbonKeyCode, std::uint32_t carbonModifiers, Handler keyDownHandler = {},
           Handler keyUpHandler = {});
    HotKey(Key key, ModifierFlags modifiers, Handler keyDownHandler = {}, Handler keyUpHandler = {});
    ~HotKey();

    // The registry knows the hot key by its address.
    HotKey(const HotKey&) = delete;
    HotKey& operator=(const HotKey&) = delete;

    const Uuid& identifier() const { return identifier_; }
    const KeyCombo& keyCombo() const { return keyCombo_; }

    const Handler& keyDownHandler() const { return keyDownHandler_; }
    void setKeyDownHandler(Handler handler) { keyDownHandler_ = std::move(handler); }
    const Handler& keyUpHandler() const { return keyUpHandler_; }
    void setKeyUpHandler(Handler handler) { keyUpHandler_ = std::move(handler); }

    bool isPaused() const { return isPaused_; }
    // Pausing unregisters the combination; resuming registers it again under a new ID.
    void setIsPaused(bool paused);

private:
    Uuid identifier_;
    KeyCombo keyCombo_;
    Handler keyDownHandler_;
    Handler keyUpHandler_;
    bool isPaused_ = false;
};

} // namespace brindlemoor
