#include "fake_hot_key_event_layer.h"

#include <algorithm>

namespace brindlemoor::fakes {

FakeHotKeyEventLayer::FakeHotKeyEventLayer()
{
    HotKeyEventLayer::install(this);
}

HotKeyEventLayer::HotKeyRegistration FakeHotKeyEventLayer::registerEventHotKey(std::uint32_t carbonKeyCode,
                                                                               std::uint32_t carbonModifiers,
                                                                               EventHotKeyID hotKeyID)
{
    const KeyCombo combo(carbonKeyCode, carbonModifiers);
    attempts_.push_back({combo, hotKeyID});
    const bool held = std::any_of(registered_.begin(), registered_.end(),
                                  [&](const auto& entry) { return entry.second.keyCombo == combo; });
    if (held || std::find(taken_.begin(), taken_.end(), combo) != taken_.end())
        return {carbon::eventHotKeyExistsErr, std::nullopt};
    const EventHotKeyRef reference = nextReference_++;
    registered_.emplace(reference, Registered{combo, hotKeyID});
    return {carbon::noErr, reference};
}

OSStatus FakeHotKeyEventLayer::unregisterEventHotKey(EventHotKeyRef reference)
{
    unregistered_.push_back(reference);
    return registered_.erase(reference) == 1 ? carbon::noErr : carbon::paramErr;
}

HotKeyEventLayer::HandlerInstallation FakeHotKeyEventLayer::installEventHandler(EventHandler handler,
                                                                                std::vector<EventTypeSpec> eventTypes)
{
    handler_ = std::move(handler);
    handlerTypes_ = std::move(eventTypes);
    ++handlerInstallations_;
    return {carbon::noErr, 1};
}

OSStatus FakeHotKeyEventLayer::send(std::uint32_t kind, std::optional<EventHotKeyID> hotKeyID)
{
    const HotKeyEvent event{carbon::kEventClassKeyboard, kind, hotKeyID};
    return handler_ ? handler_(&event) : carbon::eventNotHandledErr;
}

OSStatus FakeHotKeyEventLayer::sendWithoutEvent()
{
    return handler_ ? handler_(nullptr) : carbon::eventNotHandledErr;
}

} // namespace brindlemoor::fakes
