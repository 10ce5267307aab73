#include "platform/linux/keyboard_events/xtest_keyboard_events.h"

#include "platform/linux/keyboard_events/virtual_key_symbols.h"
#include "platform/linux/x11_error_trap.h"

#include <X11/XKBlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <chrono>
#include <thread>

namespace brindlemoor {
namespace {

// A borrowed key code stays lent this long after its key went up, so the receiving application
// has read the key with the symbol on it before the layout is put back.
constexpr auto kBorrowedKeyGrace = std::chrono::milliseconds(50);

struct KeyboardRelease {
    void operator()(XkbDescPtr keyboard) const { XkbFreeKeyboard(keyboard, 0, True); }
};
struct ModifierMapRelease {
    void operator()(XModifierKeymap* map) const { XFreeModifiermap(map); }
};
struct XFreeRelease {
    void operator()(void* data) const { XFree(data); }
};

unsigned modifiersFor(std::uint64_t flags)
{
    unsigned mask = 0;
    if (flags & event_flags::command)
        mask |= ControlMask;
    if (flags & event_flags::shift)
        mask |= ShiftMask;
    if (flags & event_flags::control)
        mask |= Mod4Mask;
    if (flags & event_flags::option)
        mask |= Mod1Mask;
    return mask;
}

bool isLockKey(KeySym symbol)
{
    return symbol == XK_Caps_Lock || symbol == XK_Shift_Lock || symbol == XK_Num_Lock || symbol == XK_Scroll_Lock;
}

} // namespace

XTestKeyboardEvents::XTestKeyboardEvents() : display_(XOpenDisplay(nullptr))
{
    int eventBase, errorBase, major, minor;
    if (display_ != nullptr && !XTestQueryExtension(display_, &eventBase, &errorBase, &major, &minor)) {
        XCloseDisplay(display_);
        display_ = nullptr;
    }
}

XTestKeyboardEvents::~XTestKeyboardEvents()
{
    if (display_ == nullptr)
        return;
    giveBackSpareKeyCode();
    XCloseDisplay(display_);
}

std::optional<KeyboardEvent> XTestKeyboardEvents::createKeyboardEvent(std::uint16_t virtualKey, bool keyDown)
{
    if (display_ == nullptr || !keySymbolForVirtualKey(virtualKey))
        return std::nullopt;
    return KeyboardEvent{virtualKey, keyDown, std::nullopt};
}

void XTestKeyboardEvents::post(const KeyboardEvent& event)
{
    std::optional<KeySym> symbol = keySymbolForVirtualKey(event.virtualKey);
    std::lock_guard lock(mutex_);
    if (display_ == nullptr || !symbol)
        return;
    X11ErrorTrap trap;
    std::optional<KeyPlace> place = placeFor(*symbol);
    if (!place && event.keyDown)
        if (std::optional<KeyCode> spare = borrowSpareKeyCode(*symbol))
            place = KeyPlace{*spare, false, true};
    if (!place)
        return;
    if (event.flags)
        postWithModifiers(place->keyCode, event.keyDown,
                          modifiersFor(*event.flags) | (place->needsShift ? ShiftMask : 0u));
    else
        XTestFakeKeyEvent(display_, place->keyCode, event.keyDown ? True : False, CurrentTime);
    XSync(display_, False);
    if (!event.keyDown && place->borrowed) {
        std::this_thread::sleep_for(kBorrowedKeyGrace);
        giveBackSpareKeyCode();
    }
}

std::optional<XTestKeyboardEvents::KeyPlace> XTestKeyboardEvents::placeFor(KeySym symbol)
{
    std::unique_ptr<XkbDescRec, KeyboardRelease> keyboard(XkbGetMap(display_, XkbAllClientInfoMask, XkbUseCoreKbd));
    if (!keyboard)
        return std::nullopt;
    XkbStateRec state;
    if (XkbGetState(display_, XkbUseCoreKbd, &state) != Success)
        return std::nullopt;
    std::optional<KeyPlace> shifted;
    for (int code = keyboard->min_key_code; code <= keyboard->max_key_code; ++code) {
        int groups = XkbKeyNumGroups(keyboard.get(), code);
        if (groups == 0)
            continue;
        int group = state.group % groups;
        int width = XkbKeyGroupWidth(keyboard.get(), code, group);
        for (int level = 0; level < width && level < 2; ++level) {
            if (XkbKeySymEntry(keyboard.get(), code, level, group) != symbol)
                continue;
            KeyPlace place{static_cast<KeyCode>(code), level == 1, borrowedKeyCode_ == code};
            if (level == 0)
                return place;
            if (!shifted)
                shifted = place;
        }
    }
    return shifted;
}

std::optional<KeyCode> XTestKeyboardEvents::borrowSpareKeyCode(KeySym symbol)
{
    giveBackSpareKeyCode();
    int minimum, maximum, perCode;
    XDisplayKeycodes(display_, &minimum, &maximum);
    std::unique_ptr<KeySym, XFreeRelease> map(
        XGetKeyboardMapping(display_, static_cast<KeyCode>(minimum), maximum - minimum + 1, &perCode));
    if (!map)
        return std::nullopt;
    for (int code = maximum; code >= minimum; --code) {
        bool unused = true;
        for (int column = 0; column < perCode && unused; ++column)
            unused = map.get()[(code - minimum) * perCode + column] == NoSymbol;
        if (!unused)
            continue;
        KeySym symbols[2] = {symbol, symbol};
        XChangeKeyboardMapping(display_, code, 2, symbols, 1);
        XSync(display_, False);
        borrowedKeyCode_ = static_cast<KeyCode>(code);
        return borrowedKeyCode_;
    }
    return std::nullopt;
}

void XTestKeyboardEvents::giveBackSpareKeyCode()
{
    if (!borrowedKeyCode_)
        return;
    KeySym none = NoSymbol;
    XChangeKeyboardMapping(display_, *borrowedKeyCode_, 1, &none, 1);
    XSync(display_, False);
    borrowedKeyCode_.reset();
}

void XTestKeyboardEvents::postWithModifiers(KeyCode keyCode, bool keyDown, unsigned wantedModifiers)
{
    std::unique_ptr<XModifierKeymap, ModifierMapRelease> modifiers(XGetModifierMapping(display_));
    if (!modifiers)
        return;
    char keys[32];
    XQueryKeymap(display_, keys);
    auto isDown = [&](KeyCode code) { return (keys[code / 8] & (1 << (code % 8))) != 0; };
    std::vector<KeyCode> letGo;
    std::vector<KeyCode> pressed;
    for (int index = 0; index < 8; ++index) {
        if (index == LockMapIndex)
            continue;
        bool wanted = (wantedModifiers & (1u << index)) != 0;
        bool held = false;
        KeyCode available = 0;
        for (int slot = 0; slot < modifiers->max_keypermod; ++slot) {
            KeyCode code = modifiers->modifiermap[index * modifiers->max_keypermod + slot];
            if (code == 0 || code == keyCode || isLockKey(XkbKeycodeToKeysym(display_, code, 0, 0)))
                continue;
            if (available == 0)
                available = code;
            if (!isDown(code))
                continue;
            if (wanted) {
                held = true;
            } else {
                XTestFakeKeyEvent(display_, code, False, CurrentTime);
                letGo.push_back(code);
            }
        }
        if (wanted && !held && available != 0) {
            XTestFakeKeyEvent(display_, available, True, CurrentTime);
            pressed.push_back(available);
        }
    }
    XTestFakeKeyEvent(display_, keyCode, keyDown ? True : False, CurrentTime);
    for (auto it = pressed.rbegin(); it != pressed.rend(); ++it)
        XTestFakeKeyEvent(display_, *it, False, CurrentTime);
    for (KeyCode code : letGo)
        XTestFakeKeyEvent(display_, code, True, CurrentTime);
}

} // namespace brindlemoor
