#pragma once

#include "hotkeys/hot_key_event_layer.h"
#include "hotkeys/key_combo.h"

#include <map>
#include <set>
#include <utility>
#include <vector>

namespace brindlemoor::fakes {

// A hot-key layer in memory, installed while it lives. It refuses a combination that is
// registered already or that the test marks as taken, and hands events the test sends
// straight to the installed handler.
class FakeHotKeyEventLayer final : public HotKeyEventLayer {
public:
    struct Registered {
        KeyCombo keyCombo;
        EventHotKeyID hotKeyID;
    };

    FakeHotKeyEventLayer();

    HotKeyRegistration registerEventHotKey(std::uint32_t carbonKeyCode, std::uint32_t carbonModifiers,
                                           EventHotKeyID hotKeyID) override;
    OSStatus unregisterEventHotKey(EventHotKeyRef reference) override;
    HandlerInstallation installEventHandler(EventHandler handler, std::vector<EventTypeSpec> eventTypes) override;

    // Another program holds it.
    void markTaken(KeyCombo keyCombo) { taken_.push_back(keyCombo); }
    // The handler's answer, as the dispatcher would see it.
    OSStatus send(std::uint32_t kind, std::optional<EventHotKeyID> hotKeyID);
    OSStatus sendWithoutEvent();

    const std::map<EventHotKeyRef, Registered>& registered() const { return registered_; }
    // Every registration attempt, refused ones too.
    const std::vector<Registered>& attempts() const { return attempts_; }
    const std::vector<EventHotKeyRef>& unregistered() const { return unregistered_; }
    int handlerInstallations() const { return handlerInstallations_; }
    const std::vector<EventTypeSpec>& handlerTypes() const { return handlerTypes_; }

private:
    std::vector<KeyCombo> taken_;
    std::map<EventHotKeyRef, Registered> registered_;
    std::vector<Registered> attempts_;
    std::vector<EventHotKeyRef> unregistered_;
    EventHotKeyRef nextReference_ = 100;
    EventHandler handler_;
    std::vector<EventTypeSpec> handlerTypes_;
    int handlerInstallations_ = 0;
};

} // namespace brindlemoor::fakes
