#include "hotkeys/hot_key.h"

#include "hotkeys/hot_keys_controller.h"

namespace brindlemoor {

HotKey::HotKey(KeyCombo keyCombo, Handler keyDownHandler, Handler keyUpHandler)
    : identifier_(Uuid::random()),
      keyCombo_(keyCombo),
      keyDownHandler_(std::move(keyDownHandler)),
      keyUpHandler_(std::move(keyUpHandler))
{
    HotKeysController::registerHotKey(*this);
}

HotKey::HotKey(std::uint32_t carbonKeyCode, std::uint32_t carbonModifiers, Handler keyDownHandler,
               Handler keyUpHandler)
    : HotKey(KeyCombo(carbonKeyCode, carbonModifiers), std::move(keyDownHandler), std::move(keyUpHandler))
{
}

HotKey::HotKey(Key key, ModifierFlags modifiers, Handler keyDownHandler, Handler keyUpHandler)
    : HotKey(KeyCombo(key, modifiers), std::move(keyDownHandler), std::move(keyUpHandler))
{
}

HotKey::~HotKey()
{
    HotKeysController::unregisterHotKey(*this);
}

void HotKey::setIsPaused(bool paused)
{
    isPaused_ = paused;
    if (paused)
        HotKeysController::unregisterHotKey(*this);
    else
        HotKeysController::registerHotKey(*this);
}

} // namespace brindlemoor
