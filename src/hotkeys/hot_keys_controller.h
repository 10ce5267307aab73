#pragma once

#include "hotkeys/carbon_status.h"
#include "hotkeys/hot_key_event.h"
#include "hotkeys/hot_key_event_layer.h"
#include "hotkeys/uuid.h"

#include <array>
#include <cstdint>
#include <map>
#include <optional>

namespace brindlemoor {

class HotKey;

// The process-wide registry of hot keys and the handler that dispatches their events. Used
// only through its static operations, all on the main thread.
class HotKeysController {
public:
    // One registration attempt of a hot key.
    class HotKeyBox {
    public:
        HotKeyBox(Uuid identifier, HotKey* hotKey, std::uint32_t carbonHotKeyID)
            : identifier(identifier), hotKey(hotKey), carbonHotKeyID(carbonHotKeyID)
        {
        }

        Uuid identifier;
        // Not owned; cleared when the hot key unregisters, which it does before it goes.
        HotKey* hotKey;
        std::uint32_t carbonHotKeyID;
        // Set only once the layer accepted the registration.
        std::optional<HotKeyEventLayer::EventHotKeyRef> carbonEventHotKey;
    };

    HotKeysController() = delete;

    // Registers under the next ID; does nothing when the hot key already has a box.
    static void registerHotKey(HotKey& hotKey);
    static void unregisterHotKey(HotKey& hotKey);
    static HotKeyBox* boxForHotKey(const HotKey& hotKey);
    // The live hot key of an ID; a box whose hot key is gone is removed.
    static HotKey* hotKeyForID(std::uint32_t hotKeyID);
    static void installEventHandlerIfNeeded();
    static OSStatus handleHotKeyEvent(const HotKeyEvent* event);

    static const std::map<std::uint32_t, HotKeyBox>& registry();
    static std::uint32_t registrationCounter();
    static std::optional<HotKeyEventLayer::EventHandlerRef> handlerReference();
    // "ZQHk" as a four-character code.
    static std::uint32_t signature();
    static const std::array<EventTypeSpec, 2>& eventTypes();
};

} // namespace brindlemoor
