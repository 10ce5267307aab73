#include "hotkeys/hot_keys_controller.h"

#include "hotkeys/hot_key.h"
#include "platform/logger.h"

#include <limits>
#include <string_view>

namespace brindlemoor {
namespace {

struct ControllerState {
    std::map<std::uint32_t, HotKeysController::HotKeyBox> registry;
    std::uint32_t registrationCounter = 0;
    std::optional<HotKeyEventLayer::EventHandlerRef> handlerReference;
    // The installation of the layer the handler was put on: a layer installed later needs its own.
    std::uint64_t handlerInstallation = 0;
};

ControllerState& state()
{
    static ControllerState shared;
    return shared;
}

const Logger& logger()
{
    static const Logger log = Logger::forCategory("HotKeys");
    return log;
}

constexpr std::uint32_t fourCharCode(std::string_view characters)
{
    std::uint32_t code = 0;
    for (char character : characters)
        code = (code << 8) + static_cast<unsigned char>(character);
    return code;
}

} // namespace

void HotKeysController::registerHotKey(HotKey& hotKey)
{
    if (boxForHotKey(hotKey) != nullptr)
        return;
    ControllerState& shared = state();
    // IDs are never reused, so past the last one nothing can be registered any more.
    if (shared.registrationCounter == std::numeric_limits<std::uint32_t>::max()) {
        logger().error("No hot-key ID is left; %@ was not registered", hotKey.keyCombo().description());
        return;
    }
    const std::uint32_t hotKeyID = ++shared.registrationCounter;
    HotKeyBox& box =
        shared.registry.insert_or_assign(hotKeyID, HotKeyBox(hotKey.identifier(), &hotKey, hotKeyID)).first->second;

    HotKeyEventLayer* layer = HotKeyEventLayer::installed();
    if (layer == nullptr) {
        logger().error("No hot-key layer is installed; %@ was not registered", hotKey.keyCombo().description());
        return;
    }
    const HotKeyEventLayer::HotKeyRegistration registration = layer->registerEventHotKey(
        hotKey.keyCombo().carbonKeyCode, hotKey.keyCombo().carbonModifiers, {signature(), hotKeyID});
    if (registration.status == carbon::noErr && registration.reference) {
        box.carbonEventHotKey = registration.reference;
        installEventHandlerIfNeeded();
    }
}

void HotKeysController::unregisterHotKey(HotKey& hotKey)
{
    HotKeyBox* box = boxForHotKey(hotKey);
    if (box == nullptr)
        return;
    // A box whose registration failed holds no reference, and there is nothing to undo.
    if (box->carbonEventHotKey) {
        if (HotKeyEventLayer* layer = HotKeyEventLayer::installed())
            layer->unregisterEventHotKey(*box->carbonEventHotKey);
    }
    box->hotKey = nullptr;
    state().registry.erase(box->carbonHotKeyID);
}

HotKeysController::HotKeyBox* HotKeysController::boxForHotKey(const HotKey& hotKey)
{
    for (auto& [hotKeyID, box] : state().registry) {
        if (box.identifier == hotKey.identifier())
            return &box;
    }
    return nullptr;
}

HotKey* HotKeysController::hotKeyForID(std::uint32_t hotKeyID)
{
    auto& registry = state().registry;
    const auto found = registry.find(hotKeyID);
    if (found != registry.end() && found->second.hotKey != nullptr)
        return found->second.hotKey;
    if (found != registry.end())
        registry.erase(found);
    return nullptr;
}

void HotKeysController::installEventHandlerIfNeeded()
{
    ControllerState& shared = state();
    HotKeyEventLayer* layer = HotKeyEventLayer::installed();
    if (shared.registrationCounter == 0 || layer == nullptr)
        return;
    const std::uint64_t layerInstallation = HotKeyEventLayer::installationNumber();
    if (shared.handlerReference && shared.handlerInstallation == layerInstallation)
        return;
    const auto& types = eventTypes();
    const HotKeyEventLayer::HandlerInstallation installation =
        layer->installEventHandler(&HotKeysController::handleHotKeyEvent, {types.begin(), types.end()});
    if (installation.status == carbon::noErr && installation.reference) {
        shared.handlerReference = installation.reference;
        shared.handlerInstallation = layerInstallation;
    }
}

OSStatus HotKeysController::handleHotKeyEvent(const HotKeyEvent* event)
{
    if (event == nullptr)
        return carbon::eventNotHandledErr;
    if (!event->hotKeyID)
        return carbon::eventParameterNotFoundErr;
    if (event->hotKeyID->signature != signature())
        return carbon::eventNotHandledErr;
    HotKey* hotKey = hotKeyForID(event->hotKeyID->id);
    if (hotKey == nullptr || hotKey->isPaused())
        return carbon::eventNotHandledErr;

    // A copy, so a handler may replace its own handler or destroy its hot key.
    HotKey::Handler handler;
    if (event->kind == carbon::kEventHotKeyReleased)
        handler = hotKey->keyUpHandler();
    else if (event->kind == carbon::kEventHotKeyPressed)
        handler = hotKey->keyDownHandler();
    if (!handler)
        return carbon::eventNotHandledErr;
    handler();
    return carbon::noErr;
}

const std::map<std::uint32_t, HotKeysController::HotKeyBox>& HotKeysController::registry()
{
    return state().registry;
}

std::uint32_t HotKeysController::registrationCounter()
{
    return state().registrationCounter;
}

std::optional<HotKeyEventLayer::EventHandlerRef> HotKeysController::handlerReference()
{
    return state().handlerReference;
}

std::uint32_t HotKeysController::signature()
{
    static const std::uint32_t code = fourCharCode("ZQHk");
    return code;
}

const std::array<EventTypeSpec, 2>& HotKeysController::eventTypes()
{
    static const std::array<EventTypeSpec, 2> types{{
        {carbon::kEventClassKeyboard, carbon::kEventHotKeyPressed},
        {carbon::kEventClassKeyboard, carbon::kEventHotKeyReleased},
    }};
    return types;
}

} // namespace brindlemoor
