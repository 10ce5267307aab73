#pragma once

#include "hotkeys/hot_key_event_layer.h"

#include <map>

namespace brindlemoor::testing {

// Takes every registration and lets a test press a registered combination.
class FakeHotKeyLayer final : public HotKeyEventLayer {
public:
    struct Registration {
        std::uint32_t keyCode;
        std::uint32_t modifiers;
        EventHotKeyID id;
    };

    FakeHotKeyLayer() { HotKeyEventLayer::install(this); }
    ~FakeHotKeyLayer() override { HotKeyEventLayer::install(nullptr); }

    HotKeyRegistration registerEventHotKey(std::uint32_t keyCode, std::uint32_t modifiers, EventHotKeyID id) override
    {
        registrations[next_] = {keyCode, modifiers, id};
        ++registrationCount;
        return {carbon::noErr, next_++};
    }
    OSStatus unregisterEventHotKey(EventHotKeyRef reference) override
    {
        registrations.erase(reference);
        return carbon::noErr;
    }
    HandlerInstallation installEventHandler(EventHandler handler, std::vector<EventTypeSpec>) override
    {
        handler_ = std::move(handler);
        return {carbon::noErr, 1};
    }

    // Presses and releases a registered combination; false when none matches.
    bool press(std::uint32_t keyCode, std::uint32_t modifiers)
    {
        for (const auto& [reference, registration] : registrations)
            if (registration.keyCode == keyCode && registration.modifiers == modifiers && handler_) {
                HotKeyEvent pressed{carbon::kEventClassKeyboard, carbon::kEventHotKeyPressed, registration.id};
                handler_(&pressed);
                HotKeyEvent released{carbon::kEventClassKeyboard, carbon::kEventHotKeyReleased, registration.id};
                handler_(&released);
                return true;
            }
        return false;
    }

    std::map<EventHotKeyRef, Registration> registrations;
    int registrationCount = 0;

private:
    EventHotKeyRef next_ = 1;
    EventHandler handler_;
};

} // namespace brindlemoor::testing
