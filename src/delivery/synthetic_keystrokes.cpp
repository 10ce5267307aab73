#include "delivery/synthetic_keystrokes.h"

#include "delivery/graphemes.h"
#include "delivery/key_tables.h"
#include "platform/keyboard_events.h"

namespace brindlemoor {
namespace {

void postWithFlags(KeyboardEvents& events, std::uint16_t keyCode, bool keyDown, std::uint64_t flags)
{
    std::optional<KeyboardEvent> event = events.createKeyboardEvent(keyCode, keyDown);
    if (!event)
        return;
    event->flags = flags;
    events.post(*event);
}

void pressAndRelease(KeyboardEvents& events, std::uint16_t keyCode, std::uint64_t flags)
{
    postWithFlags(events, keyCode, true, flags);
    postWithFlags(events, keyCode, false, flags);
}

} // namespace

void sendPasteKeystroke()
{
    const auto& codes = characterKeyCodes();
    auto v = codes.find("v");
    if (v == codes.end())
        return;
    KeyboardEvents& events = KeyboardEvents::shared();
    std::optional<KeyboardEvent> down = events.createKeyboardEvent(v->second, true);
    if (!down)
        return;
    down->flags = event_flags::command;
    events.post(*down);
    if (std::optional<KeyboardEvent> up = events.createKeyboardEvent(v->second, false))
        events.post(*up);
}

void typeString(const std::string& text)
{
    KeyboardEvents& events = KeyboardEvents::shared();
    for (const std::string& character : graphemeClusters(text)) {
        if (auto key = characterKeyCodes().find(character); key != characterKeyCodes().end()) {
            pressAndRelease(events, key->second, event_flags::nonCoalesced);
        } else if (auto shifted = shiftedCharacterKeys().find(character); shifted != shiftedCharacterKeys().end()) {
            std::optional<KeyboardEvent> down = events.createKeyboardEvent(shifted->second.keyCode, true);
            if (!down)
                continue;
            down->flags = shifted->second.flags;
            events.post(*down);
            if (std::optional<KeyboardEvent> up = events.createKeyboardEvent(shifted->second.keyCode, false))
                events.post(*up);
        } else if (auto name = whitespaceKeyNames().find(character); name != whitespaceKeyNames().end()) {
            if (auto named = namedKeyCodes().find(name->second); named != namedKeyCodes().end())
                pressAndRelease(events, named->second, event_flags::nonCoalesced);
        }
    }
}

} // namespace brindlemoor
