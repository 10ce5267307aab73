#pragma once

#include "hotkeys/carbon_status.h"
#include "hotkeys/event_hot_key_id.h"
#include "hotkeys/hot_key_event.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace brindlemoor {

// The system service that makes key combinations global: it registers a combination under an
// ID and reports each press and release of it to the one installed handler, on the main queue.
// All calls come from the main thread.
class HotKeyEventLayer {
public:
    using EventHotKeyRef = std::uint64_t;
    using EventHandlerRef = std::uint64_t;
    using EventHandler = std::function<OSStatus(const HotKeyEvent* event)>;

    struct HotKeyRegistration {
        OSStatus status = carbon::noErr;
        // Present only when the registration succeeded.
        std::optional<EventHotKeyRef> reference;
    };
    struct HandlerInstallation {
        OSStatus status = carbon::noErr;
        std::optional<EventHandlerRef> reference;
    };

    virtual ~HotKeyEventLayer();

    // A combination already registered, here or by another program, answers a failure.
    virtual HotKeyRegistration registerEventHotKey(std::uint32_t carbonKeyCode, std::uint32_t carbonModifiers,
                                                   EventHotKeyID hotKeyID) = 0;
    virtual OSStatus unregisterEventHotKey(EventHotKeyRef reference) = 0;
    // Events of the given types go to `handler`, called on the main queue.
    virtual HandlerInstallation installEventHandler(EventHandler handler, std::vector<EventTypeSpec> eventTypes) = 0;

    // The layer hot keys register with; none until the application installs one. A layer
    // that goes away uninstalls itself.
    static HotKeyEventLayer* installed();
    static void install(HotKeyEventLayer* layer);
    // Counts the installations, so that a handler put on an earlier layer is not taken for
    // one on the current layer, even when the new layer has the old one's address.
    static std::uint64_t installationNumber();
};

} // namespace brindlemoor
